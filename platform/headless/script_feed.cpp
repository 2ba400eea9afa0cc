#include "platform/headless/script_feed.h"

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

ScriptFeed::ScriptFeed(std::vector<ScriptLine> lines) : lines_(std::move(lines)) {}

void ScriptFeed::deliver_due(ConsoleHost& host, uint64_t pauses) {
  while (next_line_ < lines_.size() && lines_[next_line_].pause <= pauses) {
    deliver(host, lines_[next_line_++]);
  }
}

bool ScriptFeed::deliver_for_read(ConsoleHost& host) {
  while (next_line_ < lines_.size()) {
    deliver(host, lines_[next_line_++]);
    if (char_key_queued(host)) {
      return true;
    }
  }
  return false;
}

void ScriptFeed::deliver(ConsoleHost& host, const ScriptLine& line) {
  for (const ScriptKey& key : line.keys) {
    host.push_keystroke(key.has_char, key.ch);
  }
}
