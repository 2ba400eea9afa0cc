// One frame of a round: the score line, the Board with the player and the chasers, the lives line.
#pragma once

#include <cstdint>

#include "game/game_state.h"

// Draws the whole frame with its top-left corner at (column, row): the score line on that row,
// Board row r on row + 1 + r, the lives line on row + 32. Reads the game and changes nothing in
// it. Leaves the cursor after the lives line, in cyan on black.
void draw_board(uint8_t column, uint8_t row, const GameState& game);
