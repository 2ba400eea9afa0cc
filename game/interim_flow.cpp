// Until rounds are played, the play state leads straight on to the game-over state, which leads
// back to the title screen.
#include "game/flow.h"
#include "game/play_state.h"
#include "game/result_screens.h"

int play_state(GameState& /*game*/) {
  return kFlowGameOver;
}

int show_round_complete(const GameState& /*game*/) {
  return kFlowPlay;
}

int show_game_over(const GameState& /*game*/) {
  return kFlowTitle;
}
