// The command line of the terminal build: --help, --version, or nothing.
#pragma once

#include <cstdio>

enum class CommandLineAction {
  kPlay,     // no arguments: play the game
  kHelp,     // --help: usage and controls on standard output
  kVersion,  // --version: the version on standard output
  kInvalid,  // anything else: an error and usage on standard error
};

struct CommandLine {
  CommandLineAction action;
  const char* invalid_argument;  // the first argument not understood, for kInvalid
};

// --help wins over --version; any argument not understood makes the whole line invalid.
CommandLine parse_command_line(int argc, char** argv);

void print_usage(std::FILE* out);
void print_help(std::FILE* out);
void print_version(std::FILE* out);
