// mazewick-soak [--ticks N]: N ticks (1,000,000 unless given) of play on the headless console,
// checked at every pause. A quarter of them, at most 150,000, go to one long game of
// mazewick-autoplay's planner with random keys added that the game ignores (seed 0); seeds 1, 2
// and 3 share the rest, each playing run after run at random. Exit status 0 when every rule held, 1
// at the first broken one, 2 on misuse.
#include <algorithm>
#include <charconv>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "tests/soak/soak_play.h"
#include "tools/autoplay_planner.h"

int main(int argc, char** argv) {
  uint64_t ticks = 1000000;
  const char* const count = argc == 3 && std::string_view(argv[1]) == "--ticks" ? argv[2] : "";
  const auto [end, error] = std::from_chars(count, count + std::strlen(count), ticks);
  if (argc != 1 && (error != std::errc() || *end != '\0')) {
    std::fprintf(stderr, "usage: mazewick-soak [--ticks N]\n");
    return 2;
  }
  const uint64_t plan_ticks = std::min<uint64_t>(ticks / 4, 150000);
  const std::vector<ScriptLine> plan =
      parse_input_script(plan_game_script(UINT32_MAX, static_cast<long>(plan_ticks))).lines;
  uint64_t played = 0;
  // Seed 0 plays the planned game in one run; each other seed plays runs until it has an even
  // share of the ticks left, the last one all of them, each run's keys from the seed and its
  // number.
  for (uint64_t seed = 0; seed <= 3; ++seed) {
    const SoakKeys keys = seed == 0 ? SoakKeys::kPlanAndIgnored : SoakKeys::kRandom;
    const uint64_t budget = seed == 0 ? plan_ticks : (ticks - played) / (4 - seed);
    SoakTally tally;
    uint32_t runs = 0;
    std::string problem;
    while (problem.empty() && tally.ticks < budget && (runs == 0 || seed != 0)) {
      problem = soak_run(keys, static_cast<uint32_t>(seed * 1000003u + runs++),
                         seed == 0 ? plan : std::vector<ScriptLine>{}, budget, tally);
    }
    std::printf("seed %" PRIu64 ": %u runs, %" PRIu64 " ticks, %" PRIu64 " games over, %" PRIu64
                " rounds completed%s%s\n",
                seed, runs, tally.ticks, tally.games_over, tally.rounds_completed,
                problem.empty() ? "" : "; FAILED in the last run: ", problem.c_str());
    std::fflush(stdout);
    if (!problem.empty()) {
      return 1;
    }
    played += tally.ticks;
  }
  std::printf("all rules held over %" PRIu64 " ticks\n", played);
  return 0;
}
