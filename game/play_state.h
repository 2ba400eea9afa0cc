// The play state: a round set up and played tick by tick.
#pragma once

#include <cstdint>

#include "game/game_state.h"

// Where the board's frame stands in the window: its score line, the board, its lives line.
constexpr uint8_t kFrameColumn = 13;
constexpr uint8_t kFrameRow = 0;

// Plays the round `round` and returns kFlowRoundComplete or kFlowGameOver.
int play_state(GameState& game);
