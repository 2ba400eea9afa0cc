#include "command_line.h"

#include <cstring>

CommandLine parse_command_line(int argc, char** argv) {
  bool help = false;
  bool version = false;
  for (int index = 1; index < argc; ++index) {
    if (std::strcmp(argv[index], "--help") == 0) {
      help = true;
    } else if (std::strcmp(argv[index], "--version") == 0) {
      version = true;
    } else {
      return {CommandLineAction::kInvalid, argv[index]};
    }
  }
  if (help) {
    return {CommandLineAction::kHelp, nullptr};
  }
  if (version) {
    return {CommandLineAction::kVersion, nullptr};
  }
  return {CommandLineAction::kPlay, nullptr};
}

void print_usage(std::FILE* out) {
  std::fputs("Usage: mazewick [--help | --version]\n", out);
}

void print_help(std::FILE* out) {
  print_usage(out);
  std::fputs(
      "\n"
      "A maze-chase game for the text terminal: eat every pellet of the maze while four\n"
      "chasers hunt you; a power pellet turns the tables for a while.\n"
      "\n"
      "Options:\n"
      "  --help     show this help and exit\n"
      "  --version  show the version and exit\n"
      "\n"
      "Controls:\n"
      "  title screen    S start a game, Q quit\n"
      "  during a round  w up, a left, s down, d right, Esc pause\n"
      "  result screens  Space continue, Q quit\n"
      "  anywhere        Ctrl-C quit, Ctrl-Z suspend (fg resumes)\n"
      "\n"
      "The game needs a terminal of at least 55 columns by 33 rows.\n",
      out);
}

void print_version(std::FILE* out) {
  std::fputs("Mazewick 1.0\n", out);
}
