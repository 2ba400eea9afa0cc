// The input side of the console: the queue of key events, the reads that take from it, and the
// control events that Ctrl+C raises.
#include <algorithm>

#include "platform/host/console_host.h"
#include "platform/host/console_host_shared.h"

namespace {

constexpr uint8_t kCtrlC = 0x03;
constexpr uint32_t kProcessedInput = 0x1;
constexpr uint32_t kLineInput = 0x2;
constexpr uint32_t kEchoInput = 0x4;
constexpr uint32_t kCtrlCEvent = 0;
constexpr uint32_t kCtrlBreakEvent = 1;

}  // namespace

void ConsoleHost::push_key(const ConsoleKey& key) {
  if (input_ended_) {
    return;
  }
  // With processed input Ctrl+C never reaches the queue: it raises a control event.
  if ((input_mode_ & kProcessedInput) != 0 && key.has_char && key.ch == kCtrlC) {
    if (key.down) {
      raise_control_event(kCtrlCEvent);
    }
    return;
  }
  input_.push_back(key);
}

void ConsoleHost::push_keystroke(bool has_char, uint8_t ch) {
  const uint8_t character = has_char ? ch : 0;
  push_key({true, has_char, character});
  push_key({false, has_char, character});
}

const std::deque<ConsoleKey>& ConsoleHost::input_queue() const {
  return input_;
}

void ConsoleHost::end_input() {
  input_ended_ = true;
}
bool ConsoleHost::input_ended() const {
  return input_ended_;
}

void ConsoleHost::set_input_mode(uint32_t mode) {
  input_mode_ = mode;
}

bool ConsoleHost::take_queued_char(uint8_t* ch) {
  while (!input_.empty()) {
    const ConsoleKey key = input_.front();
    input_.pop_front();
    if (key.down && key.has_char) {
      *ch = key.ch;
      return true;
    }
  }
  return false;
}

bool ConsoleHost::read_char(uint8_t* ch) {
  while (!take_queued_char(ch)) {
    if (input_ended_ || frontend_ == nullptr || !frontend_->wait_for_input(*this)) {
      return false;
    }
  }
  return true;
}

bool ConsoleHost::read_line() {
  std::string line;
  for (;;) {
    uint8_t ch = 0;
    if (!read_char(&ch)) {
      return false;
    }
    const bool erase = ch == kBackspace && (input_mode_ & kProcessedInput) != 0;
    if (erase && line.empty()) {
      continue;
    }
    const std::string typed = ch == kCarriageReturn ? "\r\n"
                              : erase               ? "\b \b"
                                                    : std::string(1, static_cast<char>(ch));
    if (erase) {
      line.pop_back();
    } else {
      line += typed;
    }
    if ((input_mode_ & kEchoInput) != 0) {
      write_console(typed.data(), static_cast<uint32_t>(typed.size()), nullptr);
    }
    if (ch == kCarriageReturn) {
      line_ = line;
      return true;
    }
  }
}

bool ConsoleHost::read_console(uint8_t* buffer, uint32_t to_read, uint32_t* read) {
  *read = 0;
  if (to_read == 0) {
    return true;
  }
  // What an earlier line read left is taken first, whatever the mode now.
  if (line_.empty()) {
    if ((input_mode_ & kLineInput) == 0) {
      if (!read_char(buffer)) {
        return false;
      }
      *read = 1;
      return true;
    }
    if (!read_line()) {
      return false;
    }
  }
  const size_t count = std::min<size_t>(to_read, line_.size());
  std::copy_n(line_.begin(), count, buffer);
  line_.erase(0, count);
  *read = static_cast<uint32_t>(count);
  return true;
}

bool ConsoleHost::set_control_handler(ControlHandler handler, bool add) {
  if (handler == nullptr) {
    ctrl_c_ignored_ = add;
    return true;
  }
  if (add) {
    control_handlers_.push_back(handler);
    return true;
  }
  const auto last = std::find(control_handlers_.rbegin(), control_handlers_.rend(), handler);
  if (last == control_handlers_.rend()) {
    return false;
  }
  control_handlers_.erase(std::next(last).base());
  return true;
}

bool ConsoleHost::raise_control_event(uint32_t event) {
  bool taken = event == kCtrlCEvent && ctrl_c_ignored_;
  const std::vector<ControlHandler> handlers = control_handlers_;  // a handler may change them
  for (auto handler = handlers.rbegin(); !taken && handler != handlers.rend(); ++handler) {
    taken = (*handler)(event) != 0;
  }
  if (taken && (event == kCtrlCEvent || event == kCtrlBreakEvent)) {
    return true;
  }
  // The process ends, as far as the model can end it.
  input_.clear();
  line_.clear();
  input_ended_ = true;
  return false;
}
