// The headless front end: no terminal and no real sleeping. Sleep counts pauses, and the keys
// come from an input script; tests and tools read the screen back through the console host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/headless/input_script.h"
#include "platform/headless/script_feed.h"
#include "platform/host/console_frontend.h"
#include "platform/host/console_host.h"

// Told of the moments a headless run hands control to the console; the runner writes its
// dumps and traces from here.
class HeadlessObserver {
 public:
  virtual ~HeadlessObserver() = default;
  // A pause has just been counted; the script lines it makes due are delivered afterwards.
  virtual void paused(ConsoleHost& host, uint64_t pauses) = 0;
  // A blocking read found no key press with a character; the next script line, or the end of
  // input, follows.
  virtual void waiting(ConsoleHost& host, uint64_t pauses) = 0;
};

class HeadlessFrontend final : public ConsoleFrontend {
 public:
  // short_queue: the script's keys join the console's queue a few at a time (see ScriptFeed).
  explicit HeadlessFrontend(std::vector<ScriptLine> script = {},
                            HeadlessObserver* observer = nullptr, bool short_queue = false);

  // Becomes the host's front end and delivers the lines due at the start.
  void attach(ConsoleHost& host);

  // Sleep calls so far.
  uint64_t pauses() const;
  // Script lines delivered so far.
  size_t lines_delivered() const;

  void sleep(ConsoleHost& host, uint32_t milliseconds) override;
  void poll_input(ConsoleHost& host) override;
  // Delivers lines, whatever their pause counts, until a key with a character is queued; ends
  // the input when the script has run out.
  bool wait_for_input(ConsoleHost& host) override;

 private:
  ScriptFeed feed_;
  uint64_t pauses_ = 0;
  HeadlessObserver* observer_;
};
