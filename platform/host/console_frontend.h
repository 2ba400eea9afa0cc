// The interface every front end of the console host implements: the headless one, the
// terminal one, and any other that shows the console and feeds it keys.
#pragma once

#include <cstdint>

class ConsoleHost;

// What happens at the moments the program hands control to the console.
class ConsoleFrontend {
 public:
  virtual ~ConsoleFrontend() = default;
  // Sleep(milliseconds).
  virtual void sleep(ConsoleHost& host, uint32_t milliseconds) = 0;
  // The program is about to look at the input queue without waiting.
  virtual void poll_input(ConsoleHost& host) = 0;
  // A blocking read found no key-down event with a character queued. Queue more keys and return
  // true, or return false when no more input will ever come.
  virtual bool wait_for_input(ConsoleHost& host) = 0;
};
