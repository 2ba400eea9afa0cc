// Play on the headless console, checked at every pause: random play that answers the screens,
// pauses and presses keys that a round ignores, or a script's keys alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/headless/input_script.h"
#include "platform/host/console_host.h"

// Checks that each pause follows sanely from the one before, by the rules that check() lists.
class PlayChecker {
 public:
  // The game at the next pause (drawn, not yet counted): empty, or the rule broken and both traces.
  std::string check(const GameState& now);

 private:
  uint64_t pauses_ = 0;
  GameState last_{};  // no lives: the first pause begins a new game
};

enum class SoakKeys { kRandom, kScript };

// One run of the game as a new process on a fresh 80 x 25 console, its ticks added to ticks,
// stopped by an Esc once that reaches tick_budget or at the first broken rule. Empty, else that
// rule or a bad end: a failing status, more than a tick after the Esc, or the console kept.
std::string soak_run(SoakKeys keys, uint32_t seed, std::vector<ScriptLine> script,
                     uint64_t tick_budget, uint64_t& ticks,
                     const ConsoleProfile& console = model_console());
