// How a chaser moves: arrows in the house, a choice at junctions, straight on elsewhere.
#pragma once

#include <cstdint>

#include "actors/figures.h"
#include "maze/board.h"

// Moves the chaser by one cell, or leaves it where it is when all four neighbours are walls.
// A chaser following arrows that stands on an arrow goes that way without a wall test.
void step_chaser(Chaser& chaser, const Board& board, bool frightened, bool returning);

// The Direction a chaser takes at a junction: the open neighbour nearest to its target, never
// the one behind it; at random while frightened and not returning. A returning chaser may enter
// restricted floor.
uint8_t choose_direction(const Chaser& chaser, const Board& board, bool frightened, bool returning);

// Draws one of the Directions whose score is not the blocked marker, reading the scores in the
// order up, right, down, left; up when there is none.
uint8_t pick_random(const uint16_t scores[4]);
