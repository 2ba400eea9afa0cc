#include "platform/headless/steering.h"

#include "game/game_state.h"

ScriptKey steering_key(const ScriptKey& key, uint8_t arrow, bool ticking) {
  // A round's last tick has already ended it: what comes then is for the screen that follows.
  if (!ticking || game_state.lives == 0 || game_state.pellets_left == 0) {
    return key;
  }
  if (!key.has_char && arrow != 0) {
    return {true, arrow};
  }
  if (key.has_char && (key.ch == 'W' || key.ch == 'A' || key.ch == 'S' || key.ch == 'D')) {
    return {true, static_cast<uint8_t>(key.ch - 'A' + 'a')};
  }
  return key;
}
