#include "tools/sim_options.h"

#include <limits>

namespace {

// A decimal count of at least 1 that fits 64 bits.
bool parse_count(const std::string& text, uint64_t& count) {
  if (text.empty()) {
    return false;
  }
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    if (value > (std::numeric_limits<uint64_t>::max() - digit) / 10) {
      return false;
    }
    value = value * 10 + digit;
  }
  count = value;
  return value >= 1;
}

}  // namespace

std::string parse_sim_options(const std::vector<std::string>& args, SimOptions& options) {
  bool max_pauses_given = false;
  bool console_given = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::optional<std::string>* file = nullptr;
    if (arg == "--trace") {
      file = &options.trace;
    } else if (arg == "--frames") {
      file = &options.frames;
    } else if (arg == "--waits") {
      file = &options.waits;
    } else if (arg == "--screen") {
      file = &options.screen;
    } else if (arg == "--max-pauses") {
      if (max_pauses_given) {
        return "--max-pauses given twice";
      }
      if (i + 1 == args.size() || !parse_count(args[i + 1], options.max_pauses)) {
        return "--max-pauses needs a count of at least 1";
      }
      max_pauses_given = true;
      ++i;
      continue;
    } else if (arg == "--console") {
      if (console_given) {
        return "--console given twice";
      }
      const ConsoleProfile* profile =
          i + 1 == args.size() ? nullptr : find_console_profile(args[i + 1]);
      if (profile == nullptr) {
        return "--console takes one of " + console_profile_names();
      }
      options.console = profile;
      console_given = true;
      ++i;
      continue;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return "unknown option " + arg;
    } else {
      if (options.script) {
        return "more than one script";
      }
      options.script = arg;
      continue;
    }
    if (file->has_value()) {
      return arg + " given twice";
    }
    if (i + 1 == args.size() || args[i + 1].empty()) {
      return arg + " needs a file";
    }
    *file = args[++i];
  }
  if (options.script && options.script->empty()) {
    return "the script name is empty";
  }
  return "";
}
