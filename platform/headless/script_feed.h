// Feeds the lines of an input script to a console by the rules of delivery that every program
// driving the game shares, so that a script plays the same game wherever it is fed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/headless/input_script.h"
#include "platform/host/console_host.h"

class ScriptFeed {
 public:
  explicit ScriptFeed(std::vector<ScriptLine> lines = {});

  // Delivers the lines due once that many pauses have passed. Lines go strictly in order: the
  // first one not yet due holds back those after it.
  void deliver_due(ConsoleHost& host, uint64_t pauses);
  // For a blocking read that found no key with a character: delivers lines, whatever their pause
  // counts, until such a key is queued. False when the script ran out first.
  bool deliver_for_read(ConsoleHost& host);

  // Lines delivered so far.
  size_t delivered() const { return next_line_; }

 private:
  void deliver(ConsoleHost& host, const ScriptLine& line);

  std::vector<ScriptLine> lines_;
  size_t next_line_ = 0;
};
