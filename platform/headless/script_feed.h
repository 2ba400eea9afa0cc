// Feeds the lines of an input script to a console by the rules of delivery that every program
// driving the game shares, so that a script plays the same game wherever it is fed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/headless/input_script.h"
#include "platform/host/console_host.h"

// Key events let into the console's queue at a time by a short queue, and by the front ends for
// the keys typed: the game looks through all of it for every key, so that a long line or a paste
// costs it no more per key than typing.
constexpr size_t kShortQueueEvents = 64;
// How long a replay shows a screen that waits for a key before the recorded key comes.
constexpr uint32_t kReplayReadHoldMs = 1000;

class ScriptFeed {
 public:
  // With a short queue, the keys of the lines delivered join the console's queue a few at a time,
  // so that a game that looks through the whole queue for every key costs the same per key
  // however long the line. The front end then tops the queue up whenever the game looks at its
  // input, and takes a read that finds the queue empty while keys are held as no read at all:
  // the game sees what it would have seen with every key queued.
  explicit ScriptFeed(std::vector<ScriptLine> lines = {}, bool short_queue = false);

  // Delivers the lines due once that many pauses have passed. Lines go strictly in order: the
  // first one not yet due holds back those after it.
  void deliver_due(ConsoleHost& host, uint64_t pauses);
  // For a replay, which delivers lines due when the game next looks at its input: delivers them
  // now if one of them holds a Ctrl+C, which then comes as it comes from a script, while the game
  // is not reading: the console's Ctrl+C, not a key.
  void deliver_due_ctrl_c(ConsoleHost& host, uint64_t pauses);
  // For a blocking read that found no key with a character: delivers lines, whatever their pause
  // counts, until such a key is queued. False when the script ran out first.
  bool deliver_for_read(ConsoleHost& host);
  // Keys of the lines delivered that are held back from the queue.
  bool holding() const { return held_line_ < next_line_; }
  // Queues held keys until the queue holds a few, the first key with a character among them.
  void top_up(ConsoleHost& host);

  // Lines delivered so far.
  size_t delivered() const { return next_line_; }

 private:
  // Delivers the next line: a short queue takes at once only its keys up to its last Ctrl+C,
  // which acts on the console as it is queued.
  void deliver_next(ConsoleHost& host);
  void queue_held_key(ConsoleHost& host);
  // Skips the lines whose keys have all been queued.
  void skip_queued_lines();

  std::vector<ScriptLine> lines_;
  bool short_queue_;
  size_t next_line_ = 0;
  // The first key held back: that of lines_[held_line_] at held_key_.
  size_t held_line_ = 0;
  size_t held_key_ = 0;
};
