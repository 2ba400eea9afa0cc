#include "tools/windows_probe/probe_options.h"

#include <cstdio>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: probe GAME.exe [--frames FILE] [--waits FILE] [--screen FILE] "
    "[--max-pauses N] [--state FILE] [--console CxR] [--code-page N] [--vt] [--ctrl-c-at N] "
    "[SCRIPT]";

// A decimal count from 1 to the highest.
bool parse_count(const std::string& text, int highest, int& value) {
  if (text.empty() || text.size() > 5 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  value = std::stoi(text);
  return value >= 1 && value <= highest;
}

bool parse_small_count(const std::string& text, int& value) {
  return parse_count(text, 9999, value);
}

}  // namespace

int usage_error(const std::string& problem) {
  std::fprintf(stderr, "console_probe: %s; %s\n", problem.c_str(), kUsage);
  return kUsageStatus;
}

std::string parse_probe_options(int argc, char** argv, ProbeOptions& options) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    return "no game given";
  }
  options.game = args[0];
  std::vector<std::string> sim_args;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--vt") {
      options.virtual_terminal = true;
      continue;
    }
    if (arg != "--state" && arg != "--console" && arg != "--code-page" && arg != "--ctrl-c-at") {
      sim_args.push_back(arg);
      continue;
    }
    if (i + 1 == args.size()) {
      return arg + " needs a value";
    }
    const std::string& value = args[++i];
    const size_t x = value.find('x');
    int ctrl_c_at = 0;
    int code_page = 0;
    if (arg == "--state") {
      options.state = value;
    } else if (arg == "--console") {
      if (x == std::string::npos ||
          !parse_small_count(value.substr(0, x), options.console_columns) ||
          !parse_small_count(value.substr(x + 1), options.console_rows)) {
        return "--console takes COLUMNSxROWS, not " + value;
      }
    } else if (arg == "--code-page") {
      if (!parse_count(value, 65535, code_page)) {
        return "--code-page takes a code page from 1 to 65535, not " + value;
      }
      options.code_page = static_cast<unsigned>(code_page);
    } else if (parse_small_count(value, ctrl_c_at)) {
      options.ctrl_c_at = static_cast<uint64_t>(ctrl_c_at);
    } else {
      return "--ctrl-c-at takes a count from 1 to 9999, not " + value;
    }
  }
  const std::string problem = parse_sim_options(sim_args, options.sim);
  if (problem.empty() && options.sim.trace) {
    return "the probe writes no trace";
  }
  return problem;
}
