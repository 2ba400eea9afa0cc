// The cost of a tick on the headless console: the game logic alone, one frame drawn into the
// console host, and a whole tick of the program (logic, frame, host) as mazewick-sim runs it.
#include <benchmark/benchmark.h>

#include "actors/random.h"
#include "console/console.h"
#include "console/console_layer_state.h"
#include "console_host.h"
#include "game/game_main.h"
#include "game/game_state.h"
#include "game/game_window.h"
#include "game/play_state.h"
#include "headless_frontend.h"
#include "planned_game.h"
#include "render/board_renderer.h"

namespace {

constexpr long kPlannedTicks = 20000;
// A round well under way: pellets eaten, chasers out of the house, a bonus item placed.
constexpr int kTicksIntoTheGame = 300;

const PlannedGame& planned_game() {
  static const PlannedGame game = plan_game(kPlannedTicks);
  return game;
}

// Per tick: place the bonus item, move everybody, score, settle contact, count the timers.
void BM_TickLogic(benchmark::State& state) {
  PlannedReplay replay(planned_game());
  for (auto _ : state) {
    replay.tick();
    benchmark::DoNotOptimize(replay.state());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TickLogic);

// The whole frame of a round, drawn into the console host through the console layer.
void BM_HeadlessFrame(benchmark::State& state) {
  PlannedReplay replay(planned_game());
  for (int tick = 0; tick < kTicksIntoTheGame; ++tick) {
    replay.tick();
  }
  ConsoleHost& host = console_host();
  host.reset(kWindowColumns, kWindowRows);
  con_layer = ConsoleLayerState{};
  con_resolve();
  for (auto _ : state) {
    draw_board(kFrameColumn, kFrameRow, replay.state());
  }
  state.SetItemsProcessed(state.iterations());
  host.reset();
}
BENCHMARK(BM_HeadlessFrame);

// The program itself on the headless host: the planned game from the title screen to the
// quit, the time divided by its ticks (the Sleep calls), so each tick has its logic, its frame,
// the keyboard and the host's work. The pause of 100 ms is not slept on the headless host.
void BM_WholeHeadlessTick(benchmark::State& state) {
  ConsoleHost& host = console_host();
  uint64_t ticks = 0;
  for (auto _ : state) {
    host.reset();
    reset_program_state();
    HeadlessFrontend frontend(planned_game().lines);
    frontend.attach(host);
    game_main(0, nullptr);
    host.set_frontend(nullptr);
    ticks += frontend.pauses();
  }
  state.counters["per_tick"] = benchmark::Counter(
      static_cast<double>(ticks), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["ticks"] = static_cast<double>(ticks);
  host.reset();
}
BENCHMARK(BM_WholeHeadlessTick)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
