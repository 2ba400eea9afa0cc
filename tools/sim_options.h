// The command line of mazewick-sim.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/console_host.h"

constexpr const char* kSimUsage =
    "usage: mazewick-sim [--trace FILE] [--frames FILE] [--waits FILE] [--screen FILE] "
    "[--max-pauses N] [--console PROFILE] [SCRIPT]";

struct SimOptions {
  // Where each record goes; "-" is standard output.
  std::optional<std::string> trace;
  std::optional<std::string> frames;
  std::optional<std::string> waits;
  std::optional<std::string> screen;
  // The run stops right after this pause; 0 lets it run to its end.
  uint64_t max_pauses = 0;
  // The console the game runs in.
  const ConsoleProfile* console = &model_console();
  // The input script; "-" is standard input, none means no input at all.
  std::optional<std::string> script;
};

// Reads the arguments after the program name. Empty when they are good, else what is wrong.
std::string parse_sim_options(const std::vector<std::string>& args, SimOptions& options);
