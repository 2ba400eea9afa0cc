// The program on POSIX systems: the command line, then the game on the terminal.
#include <cstdio>
#include <string>

#include "command_line.h"
#include "console_host.h"
#include "game/game_main.h"
#include "terminal_frontend.h"

namespace {

constexpr int kBadCommandLine = 2;

}  // namespace

int main(int argc, char** argv) {
  const CommandLine command_line = parse_command_line(argc, argv);
  switch (command_line.action) {
    case CommandLineAction::kHelp:
      print_help(stdout);
      return 0;
    case CommandLineAction::kVersion:
      print_version(stdout);
      return 0;
    case CommandLineAction::kInvalid:
      std::fprintf(stderr, "mazewick: unknown argument '%s'\n", command_line.invalid_argument);
      print_usage(stderr);
      return kBadCommandLine;
    case CommandLineAction::kPlay:
      break;
  }

  ConsoleHost& host = console_host();
  TerminalFrontend terminal;
  std::string reason;
  const bool terminal_open = terminal.open(host, reason);
  if (!terminal_open) {
    // The game then finds no console and ends at once with status 1.
    host.set_available(false);
  }
  const int status = game_main(argc, argv);
  terminal.close();
  if (!terminal_open) {
    std::fprintf(stderr, "mazewick: %s\n", reason.c_str());
  }
  return status;
}
