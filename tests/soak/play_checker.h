// Checks, pause by pause, that a game on the headless console stays sane: counts within their
// bounds, every figure on the Board, the score never falling within a game, lives changing only
// by a lost life or an extra one, and the Board changing only when something was eaten, a bonus
// item placed or a round set up.
#pragma once

#include <cstdint>
#include <string>

#include "game/game_state.h"

class PlayChecker {
 public:
  // The game at the next pause (drawn, not yet counted). Empty when it follows sanely from the
  // one before, else the first rule broken, with the values it was judged on.
  std::string check(const GameState& state);

 private:
  bool seen_ = false;
  GameState last_{};
  uint32_t last_board_hash_ = 0;
};
