// Whether the player and a chaser have met.
#pragma once

#include <cstdint>

#include "game/game_state.h"

// The index of the first chaser, 0 to 3, on the player's cell or just swapped with it (the
// player right behind the chaser, the two heading apart); 255 when there is none.
uint8_t find_contact(const GameState& game);
