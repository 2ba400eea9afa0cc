// mazewick-soak [--ticks N]: N ticks (1,000,000 unless given) of play on the headless console,
// checked at every pause. A quarter of them, at most 150,000, go to one long game of
// mazewick-autoplay's planner with random keys added that the game ignores; seeds 1, 2 and 3
// share the rest, each playing run after run at random. Exit status 0 when every rule held, 1 at
// the first broken one, 2 on misuse.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "tests/soak/soak_play.h"
#include "tools/autoplay_planner.h"

namespace {

// Runs of the game until they have played the budget of ticks (the planned game: one run), each
// run's keys from the seed and the run's number. False, after saying so, at the first broken rule.
bool soak(const std::string& what, SoakKeys keys, uint64_t seed,
          const std::vector<ScriptLine>& plan, uint64_t budget, uint64_t& played) {
  SoakTally tally;
  uint32_t runs = 0;
  std::string problem;
  while (problem.empty() && tally.ticks < budget && (runs == 0 || keys == SoakKeys::kRandom)) {
    problem = soak_run(keys, static_cast<uint32_t>(seed * 1000003u + runs++), plan, budget, tally);
  }
  std::printf("%s: %u runs, %" PRIu64 " ticks, %" PRIu64 " games, %" PRIu64
              " rounds completed, %" PRIu64 " lives lost, %" PRIu64 " pauses, %" PRIu64
              " screens answered\n",
              what.c_str(), runs, tally.ticks, tally.games, tally.rounds_completed,
              tally.lives_lost, tally.pauses_asked, tally.screens_answered);
  played += tally.ticks;
  if (!problem.empty()) {
    std::printf("FAILED in %s, run %u: %s\n", what.c_str(), runs, problem.c_str());
  }
  std::fflush(stdout);
  return problem.empty();
}

}  // namespace

int main(int argc, char** argv) {
  uint64_t ticks = 1000000;
  const char* const count = argc == 3 && std::string_view(argv[1]) == "--ticks" ? argv[2] : "";
  const auto [end, error] = std::from_chars(count, count + std::strlen(count), ticks);
  if (argc != 1 && (error != std::errc() || *end != '\0')) {
    std::fprintf(stderr, "usage: mazewick-soak [--ticks N]\n");
    return 2;
  }
  const auto started = std::chrono::steady_clock::now();
  const uint64_t plan_ticks = std::min<uint64_t>(ticks / 4, 150000);
  uint64_t played = 0;
  bool held =
      plan_ticks == 0 ||
      soak("the planned game", SoakKeys::kPlanAndIgnored, 1,
           parse_input_script(plan_game_script(UINT32_MAX, static_cast<long>(plan_ticks))).lines,
           plan_ticks, played);
  // Each seed takes an even share of the ticks left, the last one all of them.
  for (uint64_t seed = 1; held && seed <= 3; ++seed) {
    held = soak("seed " + std::to_string(seed), SoakKeys::kRandom, seed, {},
                (ticks - played) / (4 - seed), played);
  }
  if (held) {
    std::printf("all rules held over %" PRIu64 " ticks in %.1f s\n", played,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  }
  return held ? 0 : 1;
}
