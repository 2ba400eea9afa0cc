// The game as the probe's debuggee. Every call it makes to Sleep stops at a breakpoint: the
// probe counts the pause, writes the frame, delivers the script lines now due into the console's
// input and returns from Sleep at once, so a tick costs no real time. Every call to
// ReadConsoleInputA stops too: when no input event is queued, the probe writes the wait, delivers
// script lines until a key press with a character is queued, and when the script has run out
// makes that read fail, so that the game takes its quit path as it does at the end of input on
// the headless host.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "tools/windows_probe/output_file.h"
#include "tools/windows_probe/probe_console.h"
#include "tools/windows_probe/probe_options.h"

// Where, in the game's process, a call the probe stops at begins.
struct Breakpoint {
  uintptr_t address = 0;
  uint8_t original = 0;
};

// The files the run writes, as mazewick-sim writes them.
struct RunOutputs {
  OutputFile& frames;
  OutputFile& waits;
  OutputFile& screen;
};

class Debuggee {
 public:
  Debuggee(const ProbeOptions& options, const Console& console, ConsoleFeed& feed,
           const RunOutputs& outputs)
      : options_(options), console_(console), feed_(feed), outputs_(outputs) {}
  Debuggee(const Debuggee&) = delete;
  Debuggee& operator=(const Debuggee&) = delete;
  // A game still running is ended, and its end awaited, so that nothing is left behind.
  ~Debuggee();

  bool start();
  // Runs the game to its end. Its exit status; kStoppedStatus when --max-pauses stopped it;
  // kFaultStatus when it crashed or hung, with a line on standard error.
  int run();

 private:
  // Lets the game go on from the event it is stopped at, if any.
  bool go_on(DWORD answer);
  uintptr_t image_size();
  int fault(const std::string& what);
  bool arm(Breakpoint& breakpoint, const char* function);
  // -1 to go on, else the probe's exit status.
  int on_exception(const DEBUG_EVENT& event, DWORD& answer);
  // A stop at Sleep or ReadConsoleInputA. -1 to go on, else the probe's exit status.
  int on_call(DWORD thread_id, Breakpoint& breakpoint);
  int on_sleep();
  // A blocking read with no event to take: the wait is written and the script goes on.
  bool on_read_without_key();
  // The call runs for real: its first instruction is put back and stepped over.
  void let_through(Breakpoint& breakpoint, CONTEXT& context);
  // Returns from the call to its caller with a result, without running it.
  void return_at_once(CONTEXT& context, DWORD64 result);

  const ProbeOptions& options_;
  const Console& console_;
  ConsoleFeed& feed_;
  RunOutputs outputs_;
  HANDLE process_ = nullptr;
  // The event the game is stopped at, while the probe has not let it go on.
  DEBUG_EVENT stopped_ = {};
  uintptr_t image_ = 0;
  uintptr_t image_end_ = 0;
  bool armed_ = false;
  bool exited_ = false;
  bool input_ended_ = false;
  Breakpoint sleep_;
  Breakpoint read_;
  Breakpoint* stepping_ = nullptr;
  uint64_t pauses_ = 0;
};
