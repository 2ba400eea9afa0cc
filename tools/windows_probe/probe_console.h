// The console the game runs in, as the probe reads, sizes and feeds it through the console API.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/input_script.h"
#include "platform/headless/script_feed.h"
#include "platform/host/console_host.h"

struct Console {
  HANDLE input;
  HANDLE output;
};

// The probe's own handles on the console's input and screen buffer; INVALID_HANDLE_VALUE in
// either when there is no console.
Console open_console();
// The screen buffer in the headless host's screen dump format, so that the same comparison
// serves both hosts.
std::string dump_screen(const Console& console, uint64_t pauses);
// What the game changes in the console and must hand back, as a JSON object.
std::string console_state(const Console& console);
// Buffer and window of columns x rows. False when the console refuses the size.
bool size_console(const Console& console, int columns, int rows);
// Virtual-terminal processing on in the output mode. False when the console refuses it.
bool start_virtual_terminal(const Console& console);
// Whether any input event waits, for a read to take.
bool input_queued(const Console& console);

// The script, delivered by the headless front end's rules into a console host of its own, whose
// queued keys then go to the real console's input as key events.
class ConsoleFeed {
 public:
  ConsoleFeed(std::vector<ScriptLine> lines, const Console& console)
      : feed_(std::move(lines)), console_(console) {}

  void deliver_due(uint64_t pauses) {
    feed_.deliver_due(staging_, pauses);
    hand_over();
  }
  // False when the script ran out before a key with a character was queued.
  bool deliver_for_read() {
    const bool queued = feed_.deliver_for_read(staging_);
    hand_over();
    return queued;
  }

 private:
  void hand_over();

  ScriptFeed feed_;
  ConsoleHost staging_{1, 1};
  const Console& console_;
};
