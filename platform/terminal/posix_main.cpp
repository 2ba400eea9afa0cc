// The program on POSIX systems: the command line, then the game on the terminal.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "game/game_main.h"
#include "platform/headless/input_script.h"
#include "platform/host/console_host.h"
#include "platform/terminal/game_log.h"
#include "platform/terminal/terminal_frontend.h"
#include "platform/terminal/terminal_options.h"

namespace {

constexpr int kBadCommandLine = 2;

int refuse(const std::string& problem) {
  std::fprintf(stderr, "mazewick: %s\n", problem.c_str());
  return kBadCommandLine;
}

}  // namespace

int main(int argc, char** argv) {
  const TerminalOptions options = parse_terminal_options(argc, argv);
  switch (options.action) {
    case TerminalOptionsAction::kHelp:
      print_help(stdout);
      return 0;
    case TerminalOptionsAction::kVersion:
      print_version(stdout);
      return 0;
    case TerminalOptionsAction::kInvalid:
      refuse(options.error);
      print_usage(stderr);
      return kBadCommandLine;
    case TerminalOptionsAction::kPlay:
      break;
  }

  // Every file is read or opened before the terminal is touched, so that a bad one leaves the
  // terminal alone.
  TerminalFrontend terminal;
  if (options.replay) {
    std::vector<ScriptLine> lines;
    const std::string problem = load_recording(*options.replay, lines);
    if (!problem.empty()) {
      return refuse(problem);
    }
    terminal.replay(std::move(lines));
  }
  GameLog log;
  const std::string problem = log.open(options.record, options.trace);
  if (!problem.empty()) {
    return refuse(problem);
  }
  terminal.set_observer(&log);

  ConsoleHost& host = console_host();
  std::string reason;
  const bool terminal_open = terminal.open(host, reason);
  if (terminal_open) {
    log.start(host.width(), host.height());
  } else {
    // The game then finds no console and ends at once with status 1.
    host.set_available(false);
  }
  const int status = game_main(argc, argv);
  terminal.close();
  if (!terminal_open) {
    std::fprintf(stderr, "mazewick: %s\n", reason.c_str());
  }
  std::fputs(log.write_errors().c_str(), stderr);
  return status;
}
