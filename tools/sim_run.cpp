#include "tools/sim_run.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

#include "game/game_state.h"
#include "platform/headless/game_trace.h"
#include "platform/headless/headless_frontend.h"
#include "platform/headless/input_script.h"
#include "platform/headless/screen_dump.h"
#include "platform/host/console_host.h"
#include "tools/sim_options.h"

namespace {

constexpr int kUsageStatus = 2;
constexpr int kStoppedStatus = 3;

int usage_error(const std::string& problem) {
  std::fprintf(stderr, "mazewick-sim: %s; %s\n", problem.c_str(), kSimUsage);
  return kUsageStatus;
}

// The files the run writes to; a name given for several records is opened once.
class OutputFiles {
 public:
  OutputFiles() = default;
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;
  ~OutputFiles() {
    for (auto& [name, file] : files_) {
      if (file != stdout) {
        std::fclose(file);
      }
    }
  }

  // Null when none is asked, or when the file cannot be opened for writing: then its name goes
  // to unwritable.
  FILE* open(const std::optional<std::string>& name, std::string& unwritable) {
    if (!name) {
      return nullptr;
    }
    auto found = files_.find(*name);
    if (found != files_.end()) {
      return found->second;
    }
    FILE* file = *name == "-" ? stdout : std::fopen(name->c_str(), "wb");
    if (file == nullptr) {
      unwritable = *name;
      return nullptr;
    }
    files_[*name] = file;
    return file;
  }

 private:
  std::map<std::string, FILE*> files_;
};

// Each record is written whole and flushed at once, so that nothing is lost when a run stops. A
// record nobody asked for is not even made: a run without outputs costs the game alone.
template <typename MakeLine>
void record(FILE* file, MakeLine make_line) {
  if (file == nullptr) {
    return;
  }
  const std::string line = make_line();
  std::fwrite(line.data(), 1, line.size(), file);
  std::fputc('\n', file);
  std::fflush(file);
}

class SimRecorder final : public HeadlessObserver {
 public:
  SimRecorder(FILE* trace, FILE* frames, FILE* waits, FILE* screen, uint64_t max_pauses)
      : trace_(trace), frames_(frames), waits_(waits), screen_(screen), max_pauses_(max_pauses) {}

  void paused(ConsoleHost& host, uint64_t pauses) override {
    record(frames_, [&] { return screen_dump_json(host, pauses); });
    record(trace_, [&] { return trace_json(game_state, pauses); });
    if (pauses == max_pauses_) {
      finish(host, pauses);
      std::exit(kStoppedStatus);
    }
  }

  void waiting(ConsoleHost& host, uint64_t pauses) override {
    record(waits_, [&] { return screen_dump_json(host, pauses); });
  }

  // The screen as the run leaves it.
  void finish(const ConsoleHost& host, uint64_t pauses) {
    record(screen_, [&] { return screen_dump_json(host, pauses); });
  }

 private:
  FILE* trace_;
  FILE* frames_;
  FILE* waits_;
  FILE* screen_;
  uint64_t max_pauses_;
};

}  // namespace

int run_sim(const std::vector<std::string>& args, MainRoutine main_routine) {
  SimOptions options;
  const std::string problem = parse_sim_options(args, options);
  if (!problem.empty()) {
    return usage_error(problem);
  }

  std::string script_text;
  if (options.script && !read_script_file(*options.script, script_text)) {
    return usage_error("cannot read the script " + *options.script);
  }
  InputScript script = parse_input_script(script_text);
  if (script.error_line != 0) {
    std::fprintf(stderr, "mazewick-sim: %s:%d: %s\n", options.script->c_str(), script.error_line,
                 script.error.c_str());
    return kUsageStatus;
  }

  OutputFiles files;
  std::string unwritable;
  FILE* trace = files.open(options.trace, unwritable);
  FILE* frames = files.open(options.frames, unwritable);
  FILE* waits = files.open(options.waits, unwritable);
  FILE* screen = files.open(options.screen, unwritable);
  if (!unwritable.empty()) {
    return usage_error("cannot write " + unwritable);
  }

  SimRecorder recorder(trace, frames, waits, screen, options.max_pauses);
  ConsoleHost& host = console_host();
  host.reset(ConsoleHost::kDefaultWidth, ConsoleHost::kDefaultHeight, *options.console);
  HeadlessFrontend frontend(std::move(script.lines), &recorder, true);
  frontend.attach(host);

  char program_name[] = "mazewick";
  char* game_argv[] = {program_name, nullptr};
  const int status = main_routine(1, game_argv);
  host.set_frontend(nullptr);
  recorder.finish(host, frontend.pauses());
  return status;
}
