// The real mazewick program on a pseudo-terminal of its own, as a player's terminal would run it:
// the bytes of a frame in a steady game against a full repaint of the same frame, the processor
// time of a tick, the time from start to the first title screen, and the peak resident memory.
//
// The game is played by mazewick-autoplay's planner: after the frame of pause P the keys of the
// script lines of pause P are typed, so the game reads them in the next tick, as the headless
// runner delivers them. A full repaint is asked for with SIGWINCH between frames, which makes the
// front end draw every cell afresh.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "game/game_window.h"
#include "planned_game.h"

namespace {

using Clock = std::chrono::steady_clock;

// The size of terminal most runs use; the frame benchmark also runs on one just as big as the
// game's window.
constexpr int kTerminalColumns = 80;
constexpr int kTerminalRows = 40;
// The output of one frame comes in one go; this much quiet ends it. A tick is 100 ms.
constexpr int kQuietMs = 20;
constexpr int kFirstOutputTimeoutMs = 5000;
constexpr long kPlannedTicks = 3000;
// Frames skipped at the start of the game, so that the first ones (clearing the title, the
// chasers still in the house) do not count.
constexpr int kWarmUpFrames = 20;
constexpr int kMeasuredFrames = 300;
constexpr int kRepaintEvery = 10;
constexpr char kTitleEnd[] = "quit:";

// A mazewick process on the slave side of a pseudo-terminal; this side reads what it writes
// and types keys into it.
class TerminalSession {
 public:
  TerminalSession() = default;
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;
  ~TerminalSession() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      finish();
    }
  }

  bool start(int columns = kTerminalColumns, int rows = kTerminalRows) {
    winsize size{};
    size.ws_col = static_cast<unsigned short>(columns);
    size.ws_row = static_cast<unsigned short>(rows);
    pid_ = forkpty(&master_, nullptr, nullptr, &size);
    if (pid_ == 0) {
      setenv("TERM", "xterm-256color", 1);
      setenv("LC_ALL", "C.UTF-8", 1);
      unsetenv("NO_COLOR");
      unsetenv("ESCDELAY");
      execl(MAZEWICK_PROGRAM, MAZEWICK_PROGRAM, static_cast<char*>(nullptr));
      _exit(127);
    }
    return pid_ > 0;
  }

  // What the program writes until it has been quiet for kQuietMs; empty when nothing comes
  // within first_timeout_ms, or the program ended.
  std::string read_burst(int first_timeout_ms = kFirstOutputTimeoutMs) {
    std::string bytes;
    int timeout = first_timeout_ms;
    for (;;) {
      pollfd watched = {master_, POLLIN, 0};
      const int ready = poll(&watched, 1, timeout);
      if (ready < 0 && errno == EINTR) {
        continue;
      }
      if (ready <= 0) {
        return bytes;
      }
      char buffer[65536];
      const ssize_t count = read(master_, buffer, sizeof buffer);
      if (count <= 0) {
        return bytes;
      }
      bytes.append(buffer, static_cast<size_t>(count));
      last_output_ = Clock::now();
      timeout = kQuietMs;
    }
  }

  // Reads until the text has come, then until the program is quiet.
  bool read_until(const std::string& text) {
    std::string seen;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
    while (seen.find(text) == std::string::npos) {
      if (Clock::now() > deadline) {
        return false;
      }
      const std::string burst = read_burst();
      if (burst.empty()) {
        return false;
      }
      seen += burst;
    }
    return true;
  }

  void type(const std::string& keys) {
    [[maybe_unused]] const ssize_t written = write(master_, keys.data(), keys.size());
  }

  void ask_for_repaint() { kill(pid_, SIGWINCH); }

  // When the last byte was read.
  Clock::time_point last_output() const { return last_output_; }

  // Processor time the program has had so far, in nanoseconds.
  uint64_t cpu_ns() const {
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/schedstat");
    uint64_t on_cpu = 0;
    stat >> on_cpu;
    return on_cpu;
  }

  // Waits for the program to end, reading what it still writes; its peak resident memory in
  // KiB.
  long finish() {
    while (!read_burst(1000).empty()) {
    }
    int status = 0;
    rusage usage{};
    wait4(pid_, &status, 0, &usage);
    close(master_);
    pid_ = -1;
    return usage.ru_maxrss;
  }

 private:
  pid_t pid_ = -1;
  int master_ = -1;
  Clock::time_point last_output_{};
};

const PlannedGame& planned_game() {
  static const PlannedGame game = plan_game(kPlannedTicks);
  return game;
}

// Types the keys of the script lines of one pause; the next line to type moves on.
void type_keys_of_pause(TerminalSession& session, uint64_t pause, size_t& next_line) {
  const std::vector<ScriptLine>& lines = planned_game().lines;
  std::string keys;
  for (; next_line < lines.size() && lines[next_line].pause <= pause; ++next_line) {
    for (const ScriptKey& key : lines[next_line].keys) {
      keys += static_cast<char>(key.ch);
    }
  }
  if (!keys.empty()) {
    session.type(keys);
  }
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
}

double mean(const std::vector<double>& values) {
  double sum = 0.0;
  for (const double value : values) {
    sum += value;
  }
  return values.empty() ? 0.0 : sum / static_cast<double>(values.size());
}

// Per tick of a steady game on a terminal of the given columns and rows: the processor time of
// the whole program (logic, frame, the front end's update of the terminal) as the iteration
// time, and the bytes written.
void BM_TerminalFrame(benchmark::State& state) {
  TerminalSession session;
  if (!session.start(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))) ||
      !session.read_until(kTitleEnd)) {
    state.SkipWithError("mazewick did not show its title screen on the pseudo-terminal");
    return;
  }
  size_t next_line = 0;
  uint64_t pause = 0;
  type_keys_of_pause(session, pause, next_line);
  for (; pause < kWarmUpFrames; type_keys_of_pause(session, pause, next_line)) {
    session.read_burst();
    ++pause;
  }

  std::vector<double> frame_bytes;
  std::vector<double> repaint_bytes;
  uint64_t cpu_before = session.cpu_ns();
  for (auto _ : state) {
    const std::string frame = session.read_burst();
    if (frame.empty()) {
      state.SkipWithError("the game stopped drawing frames");
      return;
    }
    ++pause;
    const uint64_t cpu_after_frame = session.cpu_ns();
    state.SetIterationTime(static_cast<double>(cpu_after_frame - cpu_before) * 1e-9);
    frame_bytes.push_back(static_cast<double>(frame.size()));
    type_keys_of_pause(session, pause, next_line);
    cpu_before = cpu_after_frame;
    if (pause % kRepaintEvery == 0) {
      // Every cell of the frame just drawn, drawn again.
      session.ask_for_repaint();
      repaint_bytes.push_back(static_cast<double>(session.read_burst().size()));
      cpu_before = session.cpu_ns();
    }
  }
  session.type("\x1b");
  session.read_burst(200);
  session.type("q");
  const long peak_kib = session.finish();

  const double steady = median(frame_bytes);
  const double full = median(repaint_bytes);
  state.counters["frame_bytes_median"] = steady;
  state.counters["frame_bytes_mean"] = mean(frame_bytes);
  state.counters["frame_bytes_max"] = *std::max_element(frame_bytes.begin(), frame_bytes.end());
  state.counters["repaint_bytes_median"] = full;
  state.counters["frame_to_repaint_pct"] = full > 0.0 ? 100.0 * steady / full : 0.0;
  state.counters["mean_to_repaint_pct"] = full > 0.0 ? 100.0 * mean(frame_bytes) / full : 0.0;
  state.counters["peak_rss_kib"] = static_cast<double>(peak_kib);
}
BENCHMARK(BM_TerminalFrame)
    ->Args({kTerminalColumns, kTerminalRows})
    ->Args({kWindowColumns, kWindowRows})
    ->UseManualTime()
    ->Iterations(kMeasuredFrames)
    ->Unit(benchmark::kMicrosecond);

// From starting the program to its title screen on the terminal, prompt included.
void BM_TerminalStartUp(benchmark::State& state) {
  long peak_kib = 0;
  for (auto _ : state) {
    TerminalSession session;
    const Clock::time_point started = Clock::now();
    if (!session.start() || !session.read_until(kTitleEnd)) {
      state.SkipWithError("mazewick did not show its title screen on the pseudo-terminal");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(session.last_output() - started).count());
    session.type("q");
    peak_kib = std::max(peak_kib, session.finish());
  }
  state.counters["peak_rss_kib"] = static_cast<double>(peak_kib);
}
BENCHMARK(BM_TerminalStartUp)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
