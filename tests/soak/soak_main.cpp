// mazewick-soak [--ticks N]: N ticks (1,000,000 unless given) of play on the headless console,
// checked at every pause. A quarter of them, at most 150,000, go to one long game of
// mazewick-autoplay's planner (run 0); random runs play the rest, run n from seed n. Prints one
// line; exit status 0 when every rule held, 1 at the first broken one, 2 on misuse.
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
  uint64_t played = 0;
  uint32_t run = 0;
  const std::vector<ScriptLine> plan =
      parse_input_script(plan_game_script(UINT32_MAX, static_cast<long>(plan_ticks))).lines;
  std::string problem = soak_run(SoakKeys::kScript, 0, plan, plan_ticks, played);
  while (problem.empty() && played < ticks) {
    problem = soak_run(SoakKeys::kRandom, ++run, {}, ticks, played);
  }
  std::printf("%s %u, %" PRIu64 " ticks%s%s\n",
              problem.empty() ? "all rules held in runs 0 to" : "FAILED in run", run, played,
              problem.empty() ? "" : ": ", problem.c_str());
  return problem.empty() ? 0 : 1;
}
