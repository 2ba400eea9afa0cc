// The input pump: the game's pauses and reads, fed with the terminal's keys or a recording's
// lines.
#include "platform/terminal/terminal_frontend.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>
#include <vector>

#include "platform/headless/steering.h"
#include "platform/terminal/terminal_signals.h"

namespace {

// A paste longer than this many reads is taken over several polls, so that a poll never stalls.
constexpr int kMostReadsPerPoll = 16;
constexpr uint8_t kEscapeKey = 0x1B;

}  // namespace

void TerminalFrontend::replay(std::vector<ScriptLine> lines) {
  replay_.emplace(std::move(lines), true);
}

void TerminalFrontend::sleep(ConsoleHost& host, uint32_t milliseconds) {
  // Keys that come during the pause are the game's once it has passed, as in a script.
  ++pauses_;
  steering_ = true;
  for (TerminalObserver* observer : observers_) {
    observer->paused(pauses_);
  }
  // A recording's lines due go in when the game next looks at its input, so that a screen that
  // waits for a key then is held in sight first; but a Ctrl+C goes in now, as in mazewick-sim.
  if (replay_ && !stop_requested_) {
    replay_->deliver_due_ctrl_c(host, pauses_);
  }
  present(host);
  wait_until_fits(host);
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (wait_step(host, deadline)) {
  }
}

bool TerminalFrontend::wait_step(ConsoleHost& host, Clock::time_point deadline) {
  const Clock::time_point now = Clock::now();
  if (now >= deadline) {
    return false;
  }
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
  int timeout = static_cast<int>(std::min<long long>(left, INT_MAX));
  const int escape = escape_timeout();
  if (escape >= 0 && escape < timeout) {
    timeout = escape;
  }
  pump(host, timeout);
  present(host);
  wait_until_fits(host);
  return true;
}

void TerminalFrontend::poll_input(ConsoleHost& host) {
  steering_ = true;
  present(host);
  queue_typed(host);
  for (int reads = 0; reads < kMostReadsPerPoll && pump(host, 0); ++reads) {
  }
  if (stop_requested_ && !stop_pause_sent_) {
    // A round has no read of its own: its pause reads, finds the input ended and quits.
    host.push_keystroke(true, kEscapeKey);
    host.end_input();
    stop_pause_sent_ = true;
  } else if (replay_ && !stop_requested_) {
    replay_->deliver_due(host, pauses_);
  }
}

bool TerminalFrontend::wait_for_input(ConsoleHost& host) {
  steering_ = false;
  if (replay_ && replay_->holding() && host.input_queue().empty()) {
    // With every key queued, the queue would not have been empty.
    replay_->top_up(host);
    return true;
  }
  if (replay_) {
    return replay_for_read(host);
  }
  const uint64_t keys_before = keys_pushed_;
  present(host);
  for (;;) {
    wait_until_fits(host);
    if (stop_requested_) {
      host.end_input();
      return false;
    }
    queue_typed(host);
    if (keys_pushed_ != keys_before) {
      return true;
    }
    if (input_ended_) {
      return false;
    }
    pump(host, escape_timeout());
    present(host);
  }
}

bool TerminalFrontend::replay_for_read(ConsoleHost& host) {
  present(host);
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kReplayReadHoldMs);
  while (!stop_requested_ && wait_step(host, deadline)) {
  }
  if (!stop_requested_ && replay_->deliver_for_read(host)) {
    return true;
  }
  // Stopped or played out: the game takes the quit path, as at the end of a script.
  host.end_input();
  return false;
}

bool TerminalFrontend::pump(ConsoleHost& host, int timeout_ms) {
  pollfd watched[2] = {{signal_wake_fd(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
  const nfds_t count = input_ended_ ? 1 : 2;
  bool read_bytes = false;
  if (poll(watched, count, timeout_ms) > 0) {
    if ((watched[0].revents & POLLIN) != 0) {
      drain_signal_wake();
    }
    if (count == 2 && watched[1].revents != 0) {
      read_bytes = read_keys(host);
    }
  }
  handle_signals();
  if (escape_timeout() == 0) {
    decoder_.flush(decoded_);
    push_keys(host);
  }
  return read_bytes;
}

bool TerminalFrontend::read_keys(ConsoleHost& host) {
  uint8_t bytes[4096];
  const ssize_t count = ::read(STDIN_FILENO, bytes, sizeof bytes);
  if (count > 0) {
    decoder_.feed(bytes, static_cast<size_t>(count), decoded_);
    last_key_bytes_ = Clock::now();
    push_keys(host);
    return true;
  }
  if (count == 0 || (errno != EINTR && errno != EAGAIN)) {
    end_input(host);
  }
  return false;
}

void TerminalFrontend::push_keys(ConsoleHost& host) {
  if (replay_) {
    // The keyboard does not reach the game that a recording plays; q stops it.
    for (const TerminalKey& key : decoded_) {
      if (key.has_char && (key.ch == 'q' || key.ch == 'Q')) {
        // The input ends at the next read, or after the round's pause below is queued.
        stop_requested_ = true;
      }
    }
  } else if (too_small_) {
    // Keys typed while the game cannot be seen are not acted on; q quits from the size notice.
    for (const TerminalKey& key : decoded_) {
      stop_requested_ = stop_requested_ || (key.has_char && (key.ch == 'q' || key.ch == 'Q'));
    }
  } else {
    typed_.insert(typed_.end(), decoded_.begin(), decoded_.end());
    queue_typed(host);
  }
  decoded_.clear();
}

void TerminalFrontend::queue_typed(ConsoleHost& host) {
  std::vector<TerminalKey> queued;
  while (!typed_.empty() && host.input_queue().size() < kShortQueueEvents) {
    TerminalKey key = typed_.front();
    typed_.pop_front();
    steer_with(key);
    host.push_keystroke(key.has_char, key.ch);
    ++keys_pushed_;
    queued.push_back(key);
  }
  if (!queued.empty()) {
    for (TerminalObserver* observer : observers_) {
      observer->keys_queued(pauses_, queued);
    }
  }
}

void TerminalFrontend::steer_with(TerminalKey& key) const {
  const ScriptKey steered = steering_key({key.has_char, key.ch}, key.steers, steering_);
  key.has_char = steered.has_char;
  key.ch = steered.ch;
}

void TerminalFrontend::end_input(ConsoleHost& host) {
  if (input_ended_) {
    return;
  }
  input_ended_ = true;
  decoder_.flush(decoded_);
  push_keys(host);
  // The terminal has gone (closed while hangups are ignored): nobody can play on, so the game
  // stops as at q, a round through its pause, instead of playing on unseen.
  stop_requested_ = true;
}

void TerminalFrontend::pause_round(ConsoleHost& host) {
  // Keys typed reach only a live game, and only a round pauses.
  if (steering_ && !replay_) {
    typed_.push_back({true, kEscapeKey});
    queue_typed(host);
  }
}

int TerminalFrontend::escape_timeout() const {
  if (!decoder_.pending()) {
    return -1;
  }
  const auto waited =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - last_key_bytes_);
  return static_cast<int>(std::max<long long>(0, escape_delay_ms_ - waited.count()));
}

void TerminalFrontend::wait_until_fits(ConsoleHost& host) {
  const bool was_too_small = too_small_;
  while (too_small_ && !stop_requested_) {
    pump(host, escape_timeout());
    present(host);
  }
  if (was_too_small && !too_small_) {
    pause_round(host);
  }
  // The game begins when it first waits with its screen in sight.
  if (!too_small_ && !began_) {
    began_ = true;
    for (TerminalObserver* observer : observers_) {
      observer->began(presented_columns_, presented_rows_);
    }
  }
}
