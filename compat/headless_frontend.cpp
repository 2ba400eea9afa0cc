#include "headless_frontend.h"

#include <utility>

namespace {

bool char_key_queued(const ConsoleHost& host) {
  for (const ConsoleKey& key : host.input_queue()) {
    if (key.down && key.has_char) {
      return true;
    }
  }
  return false;
}

}  // namespace

HeadlessFrontend::HeadlessFrontend(std::vector<ScriptLine> script, HeadlessObserver* observer)
    : script_(std::move(script)), observer_(observer) {}

void HeadlessFrontend::attach(ConsoleHost& host) {
  host.set_frontend(this);
  deliver_due(host);
}

uint64_t HeadlessFrontend::pauses() const {
  return pauses_;
}

size_t HeadlessFrontend::lines_delivered() const {
  return next_line_;
}

void HeadlessFrontend::sleep(ConsoleHost& host, uint32_t /*milliseconds*/) {
  ++pauses_;
  if (observer_ != nullptr) {
    observer_->paused(host, pauses_);
  }
  deliver_due(host);
}

void HeadlessFrontend::poll_input(ConsoleHost& /*host*/) {}

bool HeadlessFrontend::wait_for_input(ConsoleHost& host) {
  if (observer_ != nullptr) {
    observer_->waiting(host, pauses_);
  }
  while (next_line_ < script_.size()) {
    deliver(host, script_[next_line_++]);
    if (char_key_queued(host)) {
      return true;
    }
  }
  host.end_input();
  return false;
}

void HeadlessFrontend::deliver(ConsoleHost& host, const ScriptLine& line) {
  for (const ScriptKey& key : line.keys) {
    host.push_keystroke(key.has_char, key.ch);
  }
}

// Lines go out strictly in order: the first one not yet due holds back those after it.
void HeadlessFrontend::deliver_due(ConsoleHost& host) {
  while (next_line_ < script_.size() && script_[next_line_].pause <= pauses_) {
    deliver(host, script_[next_line_++]);
  }
}
