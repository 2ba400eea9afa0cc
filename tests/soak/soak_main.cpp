// mazewick-soak [--ticks N] [--plan-ticks N] [--seed S]...: N ticks (1,000,000 unless given) of
// play on the headless console, checked at every pause. The plan's ticks (a quarter, at most
// 150,000, unless given) go to one long game of mazewick-autoplay's planner with random keys added
// that the game ignores; the seeds (1, 2, 3 unless given) share the rest, each playing run after
// run at random. Exit status 0 when every rule held, 1 at the first broken one, 2 on misuse.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "autoplay_planner.h"
#include "input_script.h"
#include "soak_play.h"

namespace {

constexpr std::pair<const char*, uint64_t SoakTally::*> kCounts[] = {
    {"ticks", &SoakTally::ticks},
    {"games", &SoakTally::games},
    {"rounds completed", &SoakTally::rounds_completed},
    {"lives lost", &SoakTally::lives_lost},
    {"pauses", &SoakTally::pauses_asked},
    {"screens answered", &SoakTally::screens_answered}};

// Runs of the game until they have played the budget of ticks (the planned game: one run), each
// run's keys from the seed and the run's number. False, after saying so, at the first broken rule.
bool soak(const std::string& what, SoakKeys keys, uint64_t seed,
          const std::vector<ScriptLine>& plan, uint64_t budget, SoakTally& total) {
  SoakTally tally;
  uint32_t runs = 0;
  std::string problem;
  while (problem.empty() && tally.ticks < budget && (runs == 0 || keys == SoakKeys::kRandom)) {
    SoakFrontend frontend(keys, static_cast<uint32_t>(seed * 1000003u + runs++), plan, budget,
                          tally);
    problem = frontend.run();
  }
  std::printf("%s: %u runs", what.c_str(), runs);
  for (const auto& [name, count] : kCounts) {
    std::printf(", %llu %s", static_cast<unsigned long long>(tally.*count), name);
    total.*count += tally.*count;
  }
  std::printf(", highest round %u\n", tally.highest_round + 1);
  if (!problem.empty()) {
    std::printf("FAILED in %s, run %u: %s\n", what.c_str(), runs, problem.c_str());
  }
  std::fflush(stdout);
  return problem.empty();
}

}  // namespace

int main(int argc, char** argv) {
  // Options come in pairs, a name and its count, after the defaults; the last count counts.
  std::map<std::string, std::vector<uint64_t>> given{
      {"--ticks", {1000000}}, {"--plan-ticks", {}}, {"--seed", {}}};
  for (int i = 1; i < argc; i += 2) {
    const auto option = given.find(argv[i]);
    const char* const count = i + 1 < argc ? argv[i + 1] : "";
    char* end = nullptr;
    const uint64_t value = std::strtoull(count, &end, 10);
    if (option == given.end() || !std::isdigit(static_cast<unsigned char>(count[0])) ||
        *end != '\0') {
      std::fprintf(stderr, "usage: mazewick-soak [--ticks N] [--plan-ticks N] [--seed S]...\n");
      return 2;
    }
    option->second.push_back(value);
  }
  const uint64_t ticks = given["--ticks"].back();
  const std::vector<uint64_t>& plan_given = given["--plan-ticks"];
  const uint64_t plan_ticks = std::min(
      plan_given.empty() ? std::min<uint64_t>(ticks / 4, 150000) : plan_given.back(), ticks);
  const std::vector<uint64_t> seeds =
      given["--seed"].empty() ? std::vector<uint64_t>{1, 2, 3} : given["--seed"];
  const auto started = std::chrono::steady_clock::now();
  SoakTally total;
  if (plan_ticks > 0 &&
      !soak("the planned game", SoakKeys::kPlanAndIgnored, seeds.front(),
            parse_input_script(plan_game_script(UINT32_MAX, static_cast<long>(plan_ticks))).lines,
            plan_ticks, total)) {
    return 1;
  }
  // The seeds share the ticks left; the last one takes what does not divide evenly.
  const uint64_t share = (ticks - total.ticks) / seeds.size();
  for (size_t index = 0; index < seeds.size(); ++index) {
    const uint64_t budget = index + 1 == seeds.size() ? ticks - total.ticks : share;
    if (!soak("seed " + std::to_string(seeds[index]), SoakKeys::kRandom, seeds[index], {}, budget,
              total)) {
      return 1;
    }
  }
  std::printf("all rules held over %llu ticks in %.1f s\n",
              static_cast<unsigned long long>(total.ticks),
              std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  return 0;
}
