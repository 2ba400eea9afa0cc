// Moves shared by the player and the chasers.
#pragma once

#include <cstdint>

#include "actors/figures.h"
#include "maze/board.h"

// Whether the cell one step from the actor in the Direction is a wall or a door.
bool wall_towards(const Board& board, const Actor& actor, uint8_t dir);

// One cell on in the actor's Direction, coordinates wrapping as bytes.
void move_ahead(Actor& actor);

// On a tunnel mouth with a partner, the actor comes out one step beyond the partner mouth in its
// Direction.
void pass_tunnel(Actor& actor, const Board& board);
