#include "platform/headless/headless_frontend.h"

#include <utility>

HeadlessFrontend::HeadlessFrontend(std::vector<ScriptLine> script, HeadlessObserver* observer,
                                   bool short_queue)
    : feed_(std::move(script), short_queue), observer_(observer) {}

void HeadlessFrontend::attach(ConsoleHost& host) {
  host.set_frontend(this);
  feed_.deliver_due(host, pauses_);
}

uint64_t HeadlessFrontend::pauses() const {
  return pauses_;
}

size_t HeadlessFrontend::lines_delivered() const {
  return feed_.delivered();
}

void HeadlessFrontend::sleep(ConsoleHost& host, uint32_t /*milliseconds*/) {
  ++pauses_;
  if (observer_ != nullptr) {
    observer_->paused(host, pauses_);
  }
  feed_.deliver_due(host, pauses_);
}

void HeadlessFrontend::poll_input(ConsoleHost& host) {
  feed_.top_up(host);
}

bool HeadlessFrontend::wait_for_input(ConsoleHost& host) {
  // With every key queued, the queue would not have been empty.
  if (feed_.holding() && host.input_queue().empty()) {
    feed_.top_up(host);
    return true;
  }
  if (observer_ != nullptr) {
    observer_->waiting(host, pauses_);
  }
  if (feed_.deliver_for_read(host)) {
    return true;
  }
  host.end_input();
  return false;
}
