// mazewick-sim: runs the whole game on the headless console host, with no terminal and no real
// sleeping, fed by an input script, and writes traces and screen dumps of the run.
#include <string>
#include <vector>

#include "game/game_main.h"
#include "tools/sim_run.h"

int main(int argc, char** argv) {
  return run_sim(std::vector<std::string>(argv + 1, argv + argc), game_main);
}
