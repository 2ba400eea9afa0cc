// mazewick-soak: plays the game on the headless console for a given number of ticks, at random
// with a fixed seed per run and along a planned long game, checking the game at every pause.
//
//   mazewick-soak [--ticks N] [--plan-ticks N] [--seed S]...
//
// --ticks: ticks in all (1,000,000 unless given). --plan-ticks: how many of them go to one long
// game planned by mazewick-autoplay's planner, with random keys added that the game ignores
// (a quarter of the ticks, at most 150,000, unless given). The other ticks are shared by the
// seeds (1, 2 and 3 unless given), each playing run after run at random. Exit status 0 when
// every rule held, 1 at the first broken one, 2 for a usage error.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "actors/random.h"
#include "autoplay_planner.h"
#include "console/console_layer_state.h"
#include "console_host.h"
#include "game/game_main.h"
#include "game/game_state.h"
#include "input_script.h"
#include "soak_frontend.h"

namespace {

constexpr uint64_t kDefaultTicks = 1000000;
constexpr uint64_t kLongestPlan = 150000;
constexpr int kUsageStatus = 2;

struct SoakOptions {
  uint64_t ticks = kDefaultTicks;
  bool plan_ticks_given = false;
  uint64_t plan_ticks = 0;
  std::vector<uint32_t> seeds;
};

bool parse_count(const char* text, uint64_t& value) {
  char* end = nullptr;
  value = std::strtoull(text, &end, 10);
  return text[0] >= '0' && text[0] <= '9' && *end == '\0';
}

bool parse_options(int argc, char** argv, SoakOptions& options) {
  // Options come in pairs: a name and its count.
  for (int i = 1; i < argc; i += 2) {
    uint64_t value = 0;
    if (i + 1 == argc || !parse_count(argv[i + 1], value)) {
      return false;
    }
    if (std::strcmp(argv[i], "--ticks") == 0) {
      options.ticks = value;
    } else if (std::strcmp(argv[i], "--plan-ticks") == 0) {
      options.plan_ticks_given = true;
      options.plan_ticks = value;
    } else if (std::strcmp(argv[i], "--seed") == 0) {
      options.seeds.push_back(static_cast<uint32_t>(value));
    } else {
      return false;
    }
  }
  if (options.seeds.empty()) {
    options.seeds = {1, 2, 3};
  }
  if (!options.plan_ticks_given) {
    options.plan_ticks = std::min(options.ticks / 4, kLongestPlan);
  }
  options.plan_ticks = std::min(options.plan_ticks, options.ticks);
  return true;
}

// One run of the program: everything it keeps in static storage starts at zero, as in a new
// process.
SoakTally run_once(SoakFrontend& frontend, std::string& problem) {
  ConsoleHost& host = console_host();
  host.reset();
  reset_program_state();
  frontend.attach(host);
  const int status = game_main(0, nullptr);
  host.set_frontend(nullptr);
  problem = frontend.problem();
  if (problem.empty() && status != 0) {
    problem = "the game ended with status " + std::to_string(status);
  }
  return frontend.tally();
}

void add(SoakTally& total, const SoakTally& run) {
  total.ticks += run.ticks;
  total.games += run.games;
  total.rounds_completed += run.rounds_completed;
  total.lives_lost += run.lives_lost;
  total.pauses_asked += run.pauses_asked;
  total.screens_answered += run.screens_answered;
  total.highest_round = std::max(total.highest_round, run.highest_round);
}

void report(const char* what, uint64_t runs, const SoakTally& tally) {
  std::printf(
      "%s: %llu runs, %llu ticks, %llu games, %llu rounds completed, %llu lives lost, "
      "%llu pauses, %llu screens answered, highest round %u\n",
      what, static_cast<unsigned long long>(runs), static_cast<unsigned long long>(tally.ticks),
      static_cast<unsigned long long>(tally.games),
      static_cast<unsigned long long>(tally.rounds_completed),
      static_cast<unsigned long long>(tally.lives_lost),
      static_cast<unsigned long long>(tally.pauses_asked),
      static_cast<unsigned long long>(tally.screens_answered), tally.highest_round + 1);
  std::fflush(stdout);
}

int fail(const std::string& where, const std::string& problem) {
  std::printf("FAILED in %s: %s\n", where.c_str(), problem.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  SoakOptions options;
  if (!parse_options(argc, argv, options)) {
    std::fprintf(stderr, "usage: mazewick-soak [--ticks N] [--plan-ticks N] [--seed S]...\n");
    return kUsageStatus;
  }
  const auto started = std::chrono::steady_clock::now();
  SoakTally total;
  std::string problem;

  if (options.plan_ticks > 0) {
    const InputScript plan =
        parse_input_script(plan_game_script(UINT32_MAX, static_cast<long>(options.plan_ticks)));
    SoakFrontend frontend(options.seeds.front(), plan.lines, options.plan_ticks);
    const SoakTally tally = run_once(frontend, problem);
    report("planned game", 1, tally);
    if (!problem.empty()) {
      return fail("the planned game, seed " + std::to_string(options.seeds.front()), problem);
    }
    add(total, tally);
  }

  const uint64_t random_ticks = options.ticks - total.ticks;
  for (size_t index = 0; index < options.seeds.size(); ++index) {
    const uint32_t seed = options.seeds[index];
    // The seeds share the ticks left; the last one takes what does not divide evenly.
    uint64_t budget = random_ticks / options.seeds.size();
    if (index + 1 == options.seeds.size()) {
      budget = options.ticks - total.ticks;
    }
    SoakTally seed_total;
    uint64_t runs = 0;
    while (seed_total.ticks < budget) {
      // Each run's keys come from the seed and the run's number.
      SoakFrontend frontend(seed * 1000003u + static_cast<uint32_t>(runs), {},
                            budget - seed_total.ticks);
      const SoakTally tally = run_once(frontend, problem);
      ++runs;
      add(seed_total, tally);
      if (!problem.empty()) {
        report(("seed " + std::to_string(seed)).c_str(), runs, seed_total);
        return fail("seed " + std::to_string(seed) + ", run " + std::to_string(runs), problem);
      }
    }
    report(("seed " + std::to_string(seed)).c_str(), runs, seed_total);
    add(total, seed_total);
  }

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("all rules held over %llu ticks in %.1f s\n",
              static_cast<unsigned long long>(total.ticks), seconds);
  return 0;
}
