// mazewick-autoplay: writes an input script for mazewick-sim that plays the game well.
//
//   mazewick-autoplay [--until-score TENS] [--max-ticks N]
//
// It stops when the score reaches TENS (tens of points) or after N ticks.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/autoplay_planner.h"

int main(int argc, char** argv) {
  uint32_t until_score = 0xFFFFFFFF;
  long max_ticks = 20000;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--until-score") == 0 && i + 1 < argc) {
      until_score = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    } else if (std::strcmp(argv[i], "--max-ticks") == 0 && i + 1 < argc) {
      max_ticks = std::strtol(argv[++i], nullptr, 10);
    } else {
      std::fprintf(stderr, "usage: mazewick-autoplay [--until-score TENS] [--max-ticks N]\n");
      return 2;
    }
  }
  std::fputs(plan_game_script(until_score, max_ticks).c_str(), stdout);
  return 0;
}
