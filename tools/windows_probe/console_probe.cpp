// Runs the Windows game in a real console and drives it pause by pause as mazewick-sim drives it
// on the headless host, writing the same frames, waits and final screen, read back from the
// console; and, with --state, the console as it was before and after the game.
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>

#include "platform/headless/input_script.h"
#include "tools/windows_probe/debuggee.h"
#include "tools/windows_probe/output_file.h"
#include "tools/windows_probe/probe_console.h"
#include "tools/windows_probe/probe_options.h"

namespace {

// The probe itself sits out the Ctrl+C it sends to the game.
BOOL WINAPI ignore_control_event(DWORD /*event*/) {
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  ProbeOptions options;
  const std::string problem = parse_probe_options(argc, argv, options);
  if (!problem.empty()) {
    return usage_error(problem);
  }
  std::string script_text;
  const std::string script_name = options.sim.script.value_or("");
  if (!script_name.empty() && !read_script_file(script_name, script_text)) {
    return usage_error("cannot read the script " + script_name);
  }
  const InputScript script = parse_input_script(script_text);
  if (script.error_line != 0) {
    std::fprintf(stderr, "console_probe: %s:%d: %s\n", script_name.c_str(), script.error_line,
                 script.error.c_str());
    return kUsageStatus;
  }
  OutputFile frames;
  OutputFile waits;
  OutputFile screen;
  OutputFile state;
  for (auto [output, name] : {std::pair{&frames, options.sim.frames.value_or("")},
                              {&waits, options.sim.waits.value_or("")},
                              {&screen, options.sim.screen.value_or("")},
                              {&state, options.state}}) {
    if (!output->open(name)) {
      return usage_error("cannot write " + name);
    }
  }

  const Console console = open_console();
  if (console.input == INVALID_HANDLE_VALUE || console.output == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "console_probe: no console to run the game in\n");
    return kFaultStatus;
  }
  // The console as the player has it; the game must hand it back so.
  if (SetConsoleOutputCP(options.code_page) == 0 || GetConsoleOutputCP() != options.code_page) {
    std::fprintf(stderr, "console_probe: the console refuses output code page %u\n",
                 options.code_page);
    return kFaultStatus;
  }
  if (options.virtual_terminal && !start_virtual_terminal(console)) {
    std::fprintf(stderr, "console_probe: the console refuses virtual-terminal processing\n");
    return kFaultStatus;
  }
  if (options.console_columns != 0 &&
      !size_console(console, options.console_columns, options.console_rows)) {
    std::fprintf(stderr, "console_probe: the console cannot be sized to %dx%d\n",
                 options.console_columns, options.console_rows);
    return kFaultStatus;
  }
  FlushConsoleInputBuffer(console.input);
  SetConsoleCtrlHandler(ignore_control_event, TRUE);
  const std::string before = console_state(console);

  ConsoleFeed feed(script.lines, console);
  int status = kFaultStatus;
  {
    Debuggee game(options, console, feed, {frames, waits, screen});
    if (!game.start()) {
      std::fprintf(stderr, "console_probe: cannot start %s (error %lu)\n", options.game.c_str(),
                   GetLastError());
      return kFaultStatus;
    }
    status = game.run();
  }
  state.write("{\"before\":" + before + ",\"after\":" + console_state(console) + "}");
  return status;
}
