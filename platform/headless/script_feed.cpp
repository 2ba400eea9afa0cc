#include "platform/headless/script_feed.h"

#include <utility>

namespace {

constexpr uint8_t kCtrlC = 0x03;

bool char_key_queued(const ConsoleHost& host) {
  for (const ConsoleKey& key : host.input_queue()) {
    if (key.down && key.has_char) {
      return true;
    }
  }
  return false;
}

}  // namespace

ScriptFeed::ScriptFeed(std::vector<ScriptLine> lines, bool short_queue)
    : lines_(std::move(lines)), short_queue_(short_queue) {}

void ScriptFeed::deliver_due(ConsoleHost& host, uint64_t pauses) {
  while (next_line_ < lines_.size() && lines_[next_line_].pause <= pauses) {
    deliver_next(host);
  }
  top_up(host);
}

void ScriptFeed::deliver_due_ctrl_c(ConsoleHost& host, uint64_t pauses) {
  for (size_t line = next_line_; line < lines_.size() && lines_[line].pause <= pauses; ++line) {
    for (const ScriptKey& key : lines_[line].keys) {
      if (key.has_char && key.ch == kCtrlC) {
        deliver_due(host, pauses);
        return;
      }
    }
  }
}

bool ScriptFeed::deliver_for_read(ConsoleHost& host) {
  // Held keys go first, as they were delivered first.
  top_up(host);
  if (char_key_queued(host)) {
    return true;
  }
  while (next_line_ < lines_.size()) {
    deliver_next(host);
    top_up(host);
    if (char_key_queued(host)) {
      return true;
    }
  }
  return false;
}

void ScriptFeed::top_up(ConsoleHost& host) {
  // With nothing held the queue is not looked through: the front ends top up at every look.
  if (!holding()) {
    return;
  }
  bool char_queued = char_key_queued(host);
  while (holding() && (host.input_queue().size() < kShortQueueEvents || !char_queued)) {
    char_queued = char_queued || lines_[held_line_].keys[held_key_].has_char;
    queue_held_key(host);
  }
}

void ScriptFeed::deliver_next(ConsoleHost& host) {
  const ScriptKeys& keys = lines_[next_line_++].keys;
  size_t queued_now = keys.size();
  if (short_queue_) {
    while (queued_now > 0 &&
           !(keys[queued_now - 1].has_char && keys[queued_now - 1].ch == kCtrlC)) {
      --queued_now;
    }
  }
  skip_queued_lines();
  // Without a Ctrl+C a short queue keeps holding, across lines, what it holds: many lines due at
  // once go in a few keys at a time like one long line.
  if (queued_now == 0) {
    return;
  }
  while (holding() && (held_line_ < next_line_ - 1 || held_key_ < queued_now)) {
    queue_held_key(host);
  }
}

void ScriptFeed::queue_held_key(ConsoleHost& host) {
  const ScriptKey& key = lines_[held_line_].keys[held_key_++];
  host.push_keystroke(key.has_char, key.ch);
  skip_queued_lines();
}

void ScriptFeed::skip_queued_lines() {
  while (held_line_ < next_line_ && held_key_ == lines_[held_line_].keys.size()) {
    ++held_line_;
    held_key_ = 0;
  }
}
