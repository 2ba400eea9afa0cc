// The options of the terminal build's command line: --help, --version, or the game with the files
// it records to or replays from.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

enum class TerminalOptionsAction {
  kPlay,     // play the game
  kHelp,     // --help: usage and controls on standard output
  kVersion,  // --version: the version on standard output
  kScores,   // --scores: the table of the best games on standard output
  kInvalid,  // anything else: an error and usage on standard error
};

struct TerminalOptions {
  TerminalOptionsAction action;
  std::string error;                  // for kInvalid: what is wrong, naming the argument
  std::optional<std::string> record;  // --record FILE
  std::optional<std::string> replay;  // --replay FILE
  std::optional<std::string> trace;   // --trace FILE
};

// --help wins over --version, and either over playing; any argument not understood, an option
// without its file, with "-" or given twice, --record with --replay, or --trace naming the file of
// either under any name makes the whole line invalid.
TerminalOptions parse_terminal_options(int argc, char** argv);

void print_usage(std::FILE* out);
void print_help(std::FILE* out);
void print_version(std::FILE* out);

// The folder a file of that name is in: "." or the name up to its last slash.
std::string folder_holding(const std::string& name);

// The text with its control bytes (C0, DEL and C1 in UTF-8) written as \xHH, so that a name
// shown on the terminal cannot drive it.
std::string shown_safely(const std::string& text);
