// A game planned by mazewick-autoplay's planner, for benchmarks that need a round in progress
// that goes on for thousands of ticks: the planner's input script, and its turn requests replayed
// straight through the round functions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "input_script.h"

struct PlannedGame {
  std::string script;
  std::vector<ScriptLine> lines;
  // The turn request of each tick, 0 for none.
  std::vector<uint8_t> requests;
};

// A planned game of the given number of ticks.
PlannedGame plan_game(long ticks);

// Replays a planned game tick by tick, as the play state runs it without keyboard and drawing.
class PlannedReplay {
 public:
  explicit PlannedReplay(const PlannedGame& game);
  // The game state as a new game's first round has it.
  void restart();
  // One tick: bonus item, moves, scoring, contact, extra lives and timers; a completed round
  // goes on with the next one, and the end of the plan or of the lives starts again.
  void tick();
  const GameState& state() const { return game_; }

 private:
  const PlannedGame& plan_;
  GameState game_{};
  size_t next_tick_ = 0;
};
