// A whole tick of the game on the headless host, and the real mazewick program on a
// pseudo-terminal of its own: the bytes of a steady frame against a full repaint of it (asked for
// by SIGWINCH), the processor time of a tick, the start-up and the peak resident memory. Both play
// the planner's game; on the terminal its keys of pause P are typed after the frame of pause P.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "game/game_main.h"
#include "game/game_window.h"
#include "platform/headless/headless_frontend.h"
#include "platform/headless/input_script.h"
#include "platform/host/console_host.h"
#include "tools/autoplay_planner.h"

namespace {

using Clock = std::chrono::steady_clock;

// The output of one frame comes in one go; this much quiet ends it. A tick is 100 ms.
constexpr int kQuietMs = 20;
// The first frames (clearing the title, the chasers still in the house) do not count.
constexpr int kWarmUpFrames = 20;
constexpr int kRepaintEvery = 10;

// A mazewick process on the slave side of a pseudo-terminal; this side reads what it writes
// and types keys into it.
class TerminalSession {
 public:
  explicit TerminalSession(unsigned short columns = 80, unsigned short rows = 40) {
    winsize size{rows, columns, 0, 0};
    pid_ = forkpty(&master_, nullptr, nullptr, &size);
    if (pid_ == 0) {
      setenv("TERM", "xterm-256color", 1);
      setenv("LC_ALL", "C.UTF-8", 1);
      unsetenv("NO_COLOR");
      unsetenv("ESCDELAY");
      execl(MAZEWICK_PROGRAM, MAZEWICK_PROGRAM, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~TerminalSession() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      finish();
    }
  }

  // What the program writes until it has been quiet for kQuietMs; empty when nothing comes
  // within first_timeout_ms, or the program ended.
  std::string read_burst(int first_timeout_ms = 5000) {
    std::string bytes;
    for (int timeout = first_timeout_ms;; timeout = kQuietMs) {
      pollfd watched = {master_, POLLIN, 0};
      char buffer[65536];
      const ssize_t count =
          poll(&watched, 1, timeout) > 0 ? read(master_, buffer, sizeof buffer) : 0;
      if (count <= 0) {
        return bytes;
      }
      bytes.append(buffer, static_cast<size_t>(count));
      last_output_ = Clock::now();
    }
  }

  // Reads until the title screen has come, its prompt included, then until the program is quiet;
  // skips the benchmark if it does not come.
  bool read_title(benchmark::State& state) {
    std::string seen;
    for (std::string burst; seen.find("quit:") == std::string::npos; seen += burst) {
      if ((burst = read_burst()).empty()) {
        state.SkipWithError("mazewick did not show its title screen on the pseudo-terminal");
        return false;
      }
    }
    return true;
  }

  void type(const std::string& keys) {
    [[maybe_unused]] const ssize_t written = write(master_, keys.data(), keys.size());
  }

  void ask_for_repaint() { kill(pid_, SIGWINCH); }

  Clock::time_point last_output() const { return last_output_; }

  // Processor time the program has had so far, in nanoseconds.
  uint64_t cpu_ns() const {
    uint64_t on_cpu = 0;
    std::ifstream("/proc/" + std::to_string(pid_) + "/schedstat") >> on_cpu;
    return on_cpu;
  }

  // Waits for the program to end, reading what it still writes; its peak resident memory in KiB.
  long finish() {
    while (!read_burst(1000).empty()) {
    }
    rusage usage{};
    wait4(pid_, nullptr, 0, &usage);
    close(master_);
    pid_ = -1;
    return usage.ru_maxrss;
  }

 private:
  pid_t pid_ = -1;
  int master_ = -1;
  Clock::time_point last_output_{};
};

const std::vector<ScriptLine>& planned_game() {
  static const std::vector<ScriptLine> lines =
      parse_input_script(plan_game_script(UINT32_MAX, 20000)).lines;
  return lines;
}

// The program on the headless host from the title screen to the quit, per tick (Sleep call): its
// logic, frame, keyboard and host. The host does not sleep the 100 ms of a tick.
void BM_WholeHeadlessTick(benchmark::State& state) {
  const std::vector<ScriptLine>& lines = planned_game();  // planned before the clock starts
  ConsoleHost& host = console_host();
  uint64_t ticks = 0;
  for (auto _ : state) {
    host.reset();
    reset_program_state();
    HeadlessFrontend frontend(lines);
    frontend.attach(host);
    game_main(0, nullptr);
    host.set_frontend(nullptr);
    ticks += frontend.pauses();
  }
  state.counters["per_tick"] = benchmark::Counter(
      static_cast<double>(ticks), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["ticks"] = static_cast<double>(ticks);
}
BENCHMARK(BM_WholeHeadlessTick)->Unit(benchmark::kMillisecond);

// Types the keys of the script lines of pauses up to this one; the next line to type moves on.
void type_keys_up_to(TerminalSession& session, uint64_t pause, size_t& next_line) {
  const std::vector<ScriptLine>& lines = planned_game();
  std::string keys;
  for (; next_line < lines.size() && lines[next_line].pause <= pause; ++next_line) {
    for (const ScriptKey& key : lines[next_line].keys) {
      keys += static_cast<char>(key.ch);
    }
  }
  session.type(keys);
}

double median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

// Per tick of a steady game on a terminal of the given size: the bytes written, and as the
// iteration time the processor time of the whole program (logic, frame, front end).
void BM_TerminalFrame(benchmark::State& state) {
  TerminalSession session(static_cast<unsigned short>(state.range(0)),
                          static_cast<unsigned short>(state.range(1)));
  if (!session.read_title(state)) {
    return;
  }
  size_t next_line = 0;
  uint64_t pause = 0;
  for (type_keys_up_to(session, pause, next_line); pause < kWarmUpFrames; ++pause) {
    session.read_burst();
    type_keys_up_to(session, pause + 1, next_line);
  }

  std::vector<double> frame_bytes, repaint_bytes;
  uint64_t cpu_before = session.cpu_ns();
  for (auto _ : state) {
    const std::string frame = session.read_burst();
    if (frame.empty()) {
      state.SkipWithError("the game stopped drawing frames");
      return;
    }
    const uint64_t cpu_after_frame = session.cpu_ns();
    state.SetIterationTime(static_cast<double>(cpu_after_frame - cpu_before) * 1e-9);
    frame_bytes.push_back(static_cast<double>(frame.size()));
    type_keys_up_to(session, ++pause, next_line);
    cpu_before = cpu_after_frame;
    if (pause % kRepaintEvery == 0) {
      session.ask_for_repaint();
      repaint_bytes.push_back(static_cast<double>(session.read_burst().size()));
      cpu_before = session.cpu_ns();
    }
  }
  session.type("\x1b");
  session.read_burst(200);
  session.type("q");
  state.counters["peak_rss_kib"] = static_cast<double>(session.finish());

  state.counters["frame_bytes_median"] = median(frame_bytes);
  state.counters["repaint_bytes_median"] = median(repaint_bytes);
  state.counters["frame_to_repaint_pct"] = 100.0 * median(frame_bytes) / median(repaint_bytes);
}
BENCHMARK(BM_TerminalFrame)
    ->Args({80, 40})
    ->Args({kWindowColumns, kWindowRows})
    ->UseManualTime()
    ->Iterations(300)
    ->Unit(benchmark::kMicrosecond);

// From starting the program to its title screen on the terminal, prompt included.
void BM_TerminalStartUp(benchmark::State& state) {
  for (auto _ : state) {
    const Clock::time_point started = Clock::now();
    TerminalSession session;
    if (!session.read_title(state)) {
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(session.last_output() - started).count());
    session.type("q");
    session.finish();
  }
}
BENCHMARK(BM_TerminalStartUp)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
