// The input side of the console: the queue of key events, the reads that take from it, and the
// control events that Ctrl+C raises.
#include <algorithm>

#include "platform/host/console_host.h"
#include "platform/host/console_host_shared.h"
#include "platform/host/keyboard.h"

namespace {

constexpr uint8_t kCtrlC = 0x03;
constexpr uint32_t kProcessedInput = 0x1;
constexpr uint32_t kLineInput = 0x2;
constexpr uint32_t kEchoInput = 0x4;
constexpr uint32_t kInsertMode = 0x20;
constexpr uint32_t kQuickEditMode = 0x40;
constexpr uint32_t kExtendedFlags = 0x80;
constexpr uint32_t kAutoPosition = 0x100;
constexpr uint32_t kVirtualTerminalInput = 0x200;
constexpr uint32_t kExtendedBits = kInsertMode | kQuickEditMode | kExtendedFlags | kAutoPosition;
constexpr uint16_t kEscapeKey = 0x1B;
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
  const KeyboardKey key = keyboard_key(has_char, character);
  for (const bool down : {true, false}) {
    push_key({down, has_char, character, key.virtual_key, key.scan_code, key.control_keys});
  }
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

bool ConsoleHost::wait_for_event() {
  while (input_.empty()) {
    if (input_ended_ || frontend_ == nullptr || !frontend_->wait_for_input(*this)) {
      return false;
    }
  }
  return true;
}

void ConsoleHost::drop_events(size_t count) {
  input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(count));
}

// Without the extended flags bit the console keeps its Insert, Quick Edit and auto-position
// settings, and reports none of them.
void ConsoleHost::set_input_mode(uint32_t mode) {
  input_mode_ = mode & ~kExtendedBits;
  extended_flags_ = (mode & kExtendedFlags) != 0;
  if (extended_flags_) {
    insert_mode_ = (mode & kInsertMode) != 0;
    quick_edit_ = (mode & kQuickEditMode) != 0;
    auto_position_ = (mode & kAutoPosition) != 0;
  }
}

uint32_t ConsoleHost::input_mode() const {
  if (!extended_flags_) {
    return input_mode_;
  }
  return input_mode_ | kExtendedFlags | (insert_mode_ ? kInsertMode : 0) |
         (quick_edit_ ? kQuickEditMode : 0) | (auto_position_ ? kAutoPosition : 0);
}

bool ConsoleHost::quick_edit() const {
  return quick_edit_;
}

bool ConsoleHost::take_queued_char(uint8_t* ch, bool raw) {
  const bool passes_escape =
      raw && profile_->raw_read_passes_escape && (input_mode_ & kVirtualTerminalInput) == 0;
  while (!input_.empty()) {
    ConsoleKey& key = input_.front();
    const bool passed =
        passes_escape && (key.virtual_key == kEscapeKey || (key.has_char && key.ch == kLineFeed));
    if (key.down && key.has_char && !passed) {
      *ch = key.ch;
      // A held key's event gives its presses one at a time.
      if (key.repeat > 1) {
        --key.repeat;
      } else {
        input_.pop_front();
      }
      return true;
    }
    input_.pop_front();
  }
  return false;
}

bool ConsoleHost::read_char(uint8_t* ch, bool raw) {
  while (!take_queued_char(ch, raw)) {
    if (!wait_for_event()) {
      return false;
    }
  }
  return true;
}

bool ConsoleHost::read_line() {
  std::string line;
  for (;;) {
    uint8_t ch = 0;
    if (!read_char(&ch, false)) {
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
      if (!read_char(buffer, true)) {
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
