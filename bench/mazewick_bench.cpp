// A whole tick of the game on the headless host, and the real mazewick program on a
// pseudo-terminal of its own: the bytes of a steady frame against a full repaint of it (asked for
// by SIGWINCH), the processor time of a tick, the start-up and the peak resident memory. Both play
// the planner's game; on the terminal its keys of pause P are typed after the frame of pause P.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "game/game_main.h"
#include "game/game_window.h"
#include "platform/headless/headless_frontend.h"
#include "platform/headless/input_script.h"
#include "platform/host/console_host.h"
#include "tools/autoplay_planner.h"
#include "tools/sim_run.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::vector<ScriptLine>& planned_game() {
  static const std::vector<ScriptLine> lines =
      parse_input_script(plan_game_script(UINT32_MAX, 20000)).lines;
  return lines;
}

// A planned game on a fresh headless host, from the title screen to the quit: its pauses.
uint64_t play_planned_game(const std::vector<ScriptLine>& lines = planned_game(),
                           HeadlessObserver* observer = nullptr) {
  console_host().reset();
  reset_program_state();
  HeadlessFrontend frontend(lines, observer);
  frontend.attach(console_host());
  game_main(0, nullptr);
  console_host().set_frontend(nullptr);
  return frontend.pauses();
}

// A mazewick process on the slave side of a pseudo-terminal, in an environment of only TERM and
// LC_ALL; this side reads what it writes and types the planned game's keys into it. The benchmark
// is skipped if the title screen's prompt does not come.
struct Terminal {
  explicit Terminal(benchmark::State& state, int64_t columns = 80, int64_t rows = 40) {
    winsize size{static_cast<unsigned short>(rows), static_cast<unsigned short>(columns), 0, 0};
    pid = forkpty(&master, nullptr, nullptr, &size);
    if (pid == 0) {
      char term[] = "TERM=xterm-256color", locale[] = "LC_ALL=C.UTF-8";
      char* const environment[] = {term, locale, nullptr};
      execle(MAZEWICK_PROGRAM, MAZEWICK_PROGRAM, static_cast<char*>(nullptr), environment);
      _exit(127);
    }
    for (std::string seen, more; seen.find("quit:") == std::string::npos; seen += more) {
      if ((more = burst()).empty()) {
        state.SkipWithError("mazewick did not show its title screen on the pseudo-terminal");
        return;
      }
    }
  }
  ~Terminal() { finish(); }

  // What the program writes until 20 ms of quiet (a frame comes in one go, a tick is 100 ms);
  // empty when nothing comes within 5 s, or the program ended.
  std::string burst() {
    std::string bytes;
    char buffer[65536];
    pollfd watched = {master, POLLIN, 0};
    for (ssize_t count = 0; poll(&watched, 1, bytes.empty() ? 5000 : 20) > 0 &&
                            (count = read(master, buffer, sizeof buffer)) > 0;) {
      bytes.append(buffer, static_cast<size_t>(count));
      last_output = Clock::now();
    }
    return bytes;
  }

  // Types the planned game's keys due by this pause, then reads the frame of the next.
  std::string next_frame() {
    const std::vector<ScriptLine>& lines = planned_game();
    std::string keys;
    for (; next_line < lines.size() && lines[next_line].pause <= pause; ++next_line) {
      for (const ScriptKey& key : lines[next_line].keys) {
        keys += static_cast<char>(key.ch);
      }
    }
    ++pause;
    [[maybe_unused]] const ssize_t written = write(master, keys.data(), keys.size());
    return burst();
  }

  // Processor time the program has had so far, in nanoseconds.
  uint64_t cpu_ns() const {
    uint64_t on_cpu = 0;
    std::ifstream("/proc/" + std::to_string(pid) + "/schedstat") >> on_cpu;
    return on_cpu;
  }

  // Ends the program if it still runs; its peak resident memory in KiB. The peak is read from
  // the program itself (VmHWM): a child's ru_maxrss also counts this process, as it was forked.
  long finish() {
    long peak_kib = 0;
    if (pid > 0) {
      std::ifstream status("/proc/" + std::to_string(pid) + "/status");
      for (std::string field; status >> field;) {
        if (field == "VmHWM:") {
          status >> peak_kib;
          break;
        }
      }
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      close(master);
      pid = -1;
    }
    return peak_kib;
  }

  pid_t pid = -1;
  int master = -1;
  uint64_t pause = 0;
  size_t next_line = 0;
  Clock::time_point last_output{};
};

// The program on the headless host from the title screen to the quit, per tick (Sleep call): its
// logic, frame, keyboard and host. The host does not sleep the 100 ms of a tick.
void BM_WholeHeadlessTick(benchmark::State& state) {
  planned_game();  // planned before the clock starts
  uint64_t ticks = 0;
  for (auto _ : state) {
    ticks += play_planned_game();
  }
  state.counters["per_tick"] = benchmark::Counter(
      static_cast<double>(ticks), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["ticks"] = static_cast<double>(ticks);
}
BENCHMARK(BM_WholeHeadlessTick)->Unit(benchmark::kMillisecond);

uint64_t thread_cpu_ns() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1'000'000'000 + static_cast<uint64_t>(now.tv_nsec);
}

// Sleeps each pause for real, as the game does at its own pace.
class PacedTicks final : public HeadlessObserver {
 public:
  void paused(ConsoleHost& /*host*/, uint64_t /*pauses*/) override {
    const timespec pause = {0, 100'000'000};
    nanosleep(&pause, nullptr);
  }
  void waiting(ConsoleHost& /*host*/, uint64_t /*pauses*/) override {}
};

// The first 320 ticks of the planned game on the headless host, each after a real 100 ms pause,
// per tick: the processor time of the headless tick at the game's own pace, sleeping included,
// as the terminal program's tick is measured.
void BM_HeadlessTickAtPace(benchmark::State& state) {
  const std::vector<ScriptLine> lines = parse_input_script(plan_game_script(UINT32_MAX, 320)).lines;
  for (auto _ : state) {
    PacedTicks paced;
    const uint64_t started = thread_cpu_ns();
    const uint64_t pauses = play_planned_game(lines, &paced);
    state.SetIterationTime(static_cast<double>(thread_cpu_ns() - started) * 1e-9 /
                           static_cast<double>(pauses));
  }
}
BENCHMARK(BM_HeadlessTickAtPace)->UseManualTime()->Iterations(1)->Unit(benchmark::kMicrosecond);

// The same game run by mazewick-sim with no output asked for: the runner's own cost on top of
// the headless tick, which includes reading the script.
void BM_SimWithoutOutputs(benchmark::State& state) {
  const std::string script = "/tmp/mazewick-bench-" + std::to_string(getpid()) + ".script";
  {
    std::ofstream file(script);
    for (const ScriptLine& line : planned_game()) {
      file << script_line(line.pause, {line.keys.begin(), line.keys.end()}) << '\n';
    }
  }
  const uint64_t pauses = play_planned_game();  // counted before the clock starts
  uint64_t ticks = 0;
  for (auto _ : state) {
    reset_program_state();
    run_sim({script}, game_main);
    ticks += pauses;
  }
  std::remove(script.c_str());
  state.counters["per_tick"] = benchmark::Counter(
      static_cast<double>(ticks), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SimWithoutOutputs)->Unit(benchmark::kMillisecond);

double median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

// Per tick of a steady game on a terminal of the given size: the bytes written, and as the
// iteration time the processor time of the whole program (logic, frame, front end).
void BM_TerminalFrame(benchmark::State& state) {
  Terminal session(state, state.range(0), state.range(1));
  if (state.error_occurred()) {
    return;
  }
  while (session.pause < 20) {  // not counted: the title clears, the chasers wait in the house
    session.next_frame();
  }
  std::vector<double> frame_bytes, repaint_bytes;
  for (auto _ : state) {
    const uint64_t cpu_before = session.cpu_ns();
    const std::string frame = session.next_frame();
    if (frame.empty()) {
      state.SkipWithError("the game stopped drawing frames");
      return;
    }
    state.SetIterationTime(static_cast<double>(session.cpu_ns() - cpu_before) * 1e-9);
    frame_bytes.push_back(static_cast<double>(frame.size()));
    if (session.pause % 10 == 0) {  // a repaint's processor time counts for no tick
      kill(session.pid, SIGWINCH);
      repaint_bytes.push_back(static_cast<double>(session.burst().size()));
    }
  }
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
    Terminal session(state);
    if (state.error_occurred()) {
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(session.last_output - started).count());
  }
}
BENCHMARK(BM_TerminalStartUp)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
