#include "platform/web/web_frontend.h"

#include <utility>

#include "platform/headless/screen_dump.h"
#include "platform/headless/steering.h"
#include "platform/host/cp437.h"
#include "platform/web/page_imports.h"

namespace {

constexpr uint8_t kEscapeKey = 0x1B;

void send_record(PageRecord kind, const std::string& text) {
  page_record(static_cast<int>(kind), text.data(), text.size());
}

}  // namespace

void WebFrontend::start(ConsoleHost& host, WebMode mode, std::vector<ScriptLine> lines,
                        ProbeRecords records) {
  mode_ = mode;
  records_ = records;
  if (mode != WebMode::kPlay) {
    feed_.emplace(std::move(lines));
  }
  host.set_frontend(this);
  if (mode == WebMode::kProbe) {
    feed_->deliver_due(host, pauses_);
  }
}

void WebFrontend::finish(ConsoleHost& host) {
  present(host);
  send_record(PageRecord::kScreen, screen_dump_json(host, pauses_));
}

void WebFrontend::sleep(ConsoleHost& host, uint32_t milliseconds) {
  ++pauses_;
  present(host);
  if (mode_ == WebMode::kProbe) {
    if (records_.frames) {
      send_record(PageRecord::kFrame, screen_dump_json(host, pauses_));
    }
    if (pauses_ == records_.max_pauses) {
      finish(host);
      page_stop();
    }
    feed_->deliver_due(host, pauses_);
  } else if (mode_ == WebMode::kReplay && !stop_requested_) {
    feed_->deliver_due_ctrl_c(host, pauses_);
  }
  // Keys that come during the pause are the game's once it has passed, as in a script.
  page_sleep(milliseconds);
  take_keys(host, true);
}

void WebFrontend::poll_input(ConsoleHost& host) {
  present(host);
  take_keys(host, true);
  if (stop_requested_ && !stop_pause_sent_) {
    // A round has no read of its own: its pause reads, finds the input ended and quits.
    host.push_keystroke(true, kEscapeKey);
    host.end_input();
    stop_pause_sent_ = true;
  } else if (mode_ == WebMode::kReplay && !stop_requested_) {
    feed_->deliver_due(host, pauses_);
  }
}

bool WebFrontend::wait_for_input(ConsoleHost& host) {
  present(host);
  if (mode_ == WebMode::kProbe) {
    if (records_.waits) {
      send_record(PageRecord::kWait, screen_dump_json(host, pauses_));
    }
  } else if (mode_ == WebMode::kReplay) {
    page_sleep(kReplayReadHoldMs);
    take_keys(host, false);
  } else {
    const size_t queued = host.input_queue().size();
    while (host.input_queue().size() == queued) {
      page_wait_key();
      take_keys(host, false);
    }
    return true;
  }
  if (!stop_requested_ && feed_->deliver_for_read(host)) {
    return true;
  }
  // Stopped or played out: the game takes the quit path, as at the end of a script.
  host.end_input();
  return false;
}

void WebFrontend::take_keys(ConsoleHost& host, bool ticking) {
  std::vector<ScriptKey> keys;
  for (int key = page_take_key(); key >= 0; key = page_take_key()) {
    const bool has_char = (key & kPageKeyHasChar) != 0;
    const auto ch = static_cast<uint8_t>(key & 0xFF);
    if (mode_ == WebMode::kPlay) {
      const ScriptKey steered = steering_key({has_char, has_char ? ch : uint8_t{0}},
                                             (key & kPageKeyArrow) != 0 ? ch : uint8_t{0}, ticking);
      host.push_keystroke(steered.has_char, steered.ch);
      keys.push_back(steered);
    } else {
      // The keyboard does not reach the game that a recording plays; q stops it.
      stop_requested_ = stop_requested_ || (has_char && (ch == 'q' || ch == 'Q'));
    }
  }
  if (!keys.empty()) {
    recording_ += script_line(pauses_, keys) + '\n';
  }
}

void WebFrontend::present(ConsoleHost& host) {
  if (presented_ && host.generation() == presented_generation_ &&
      host.title() == presented_title_) {
    return;
  }
  const int columns = host.window_right() - host.window_left() + 1;
  const int rows = host.window_bottom() - host.window_top() + 1;
  // Two words a cell, the character and its attribute; cells outside the buffer show blank.
  shown_.assign(static_cast<size_t>(columns) * rows * 2, 0);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const int x = host.window_left() + column;
      const int y = host.window_top() + row;
      if (x >= 0 && y >= 0 && x < host.width() && y < host.height()) {
        const ConsoleCell& cell = host.cell(x, y);
        const size_t at = (static_cast<size_t>(row) * columns + column) * 2;
        shown_[at] = cell.ch;
        shown_[at + 1] = cell.attr;
      }
    }
  }
  // The title's bytes read as the console's code page, as the terminal shows them.
  std::string title;
  for (char byte : host.title()) {
    append_utf8(title, cp437_to_unicode(static_cast<uint8_t>(byte)));
  }
  const bool cursor_shown = host.cursor_visible() && host.cursor_x() >= host.window_left() &&
                            host.cursor_y() >= host.window_top();
  page_show(shown_.data(), columns, rows, host.cursor_x() - host.window_left(),
            host.cursor_y() - host.window_top(), cursor_shown ? host.cursor_size() : 0,
            title.data(), title.size());
  presented_ = true;
  presented_generation_ = host.generation();
  presented_title_ = host.title();
}
