// Until rounds are played, the play state leads straight on to the game-over screen.
#include "game/flow.h"
#include "game/play_state.h"

int play_state(GameState& /*game*/) {
  return kFlowGameOver;
}
