// The player's move in one tick.
#pragma once

#include <cstdint>

#include "actors/figures.h"
#include "maze/board.h"

// Turns on request (a refused turn is kept and retried for three more ticks), moves one cell
// unless a wall is ahead, passes through a tunnel and eats what lies on the final cell. The
// turn request is 0 for none or 4 + Direction. Returns the item code of the final cell: 0 none,
// 1 pellet, 2 power pellet, 3 bonus item, 255 a tunnel mouth.
uint8_t step_player(Player& player, Board& board, uint8_t turn_request);
