// The console probe's command line: mazewick-sim's options, read by its own parser, and the
// probe's own; and the exit statuses the probe gives besides the game's.
#pragma once

#include <cstdint>
#include <string>

#include "tools/sim_options.h"

constexpr int kUsageStatus = 2;
constexpr int kStoppedStatus = 3;
constexpr int kFaultStatus = 4;

struct ProbeOptions {
  std::string game;
  SimOptions sim;
  std::string state;
  uint64_t ctrl_c_at = 0;
  int console_columns = 0;
  int console_rows = 0;
  // The console as the game finds it: its output code page, and whether virtual-terminal
  // processing is on.
  unsigned code_page = 437;
  bool virtual_terminal = false;
};

// Empty when the arguments are good, else what is wrong with them.
std::string parse_probe_options(int argc, char** argv, ProbeOptions& options);
// Says what is wrong with the command line, with the usage; the status for it.
int usage_error(const std::string& problem);
