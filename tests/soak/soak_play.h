// Play on the headless console, checked at every pause: random play that answers the title,
// result and pause screens and pauses now and then, or a script's keys, alone or with random keys
// added that the game ignores in a round (other letters, keys without a character).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/headless/input_script.h"

// Checks that each pause follows sanely from the one before, by the rules that check() lists.
class PlayChecker {
 public:
  // The game at the next pause (drawn, not yet counted): empty, or the rule broken and both traces.
  std::string check(const GameState& now);

 private:
  uint64_t pauses_ = 0;
  GameState last_{};  // no lives: the first pause begins a new game
};

struct SoakTally {
  uint64_t ticks = 0, games_over = 0, rounds_completed = 0, ticks_after_stop = 0;
};

enum class SoakKeys { kRandom, kPlanAndIgnored, kPlanAlone };

// One run of the game as a new process on a fresh 80 x 25 console, counted into the tally and
// stopped by an Esc once the tally holds tick_budget ticks or at the first broken rule. Empty,
// else the first rule broken, or a failing exit status.
std::string soak_run(SoakKeys keys, uint32_t seed, std::vector<ScriptLine> plan,
                     uint64_t tick_budget, SoakTally& tally);
