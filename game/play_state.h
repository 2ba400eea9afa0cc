// The play state: a round set up and played tick by tick.
#pragma once

#include "game/game_state.h"

// Plays the round `round` and returns kFlowRoundComplete or kFlowGameOver.
int play_state(GameState& game);
