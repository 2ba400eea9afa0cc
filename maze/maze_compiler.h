// Turns a maze layout into the Board of Cell bytes.
#pragma once

#include <cstdint>

#include "maze/board.h"
#include "maze/layouts.h"

// Fills all 868 cells from the layout: translation, junction marking, then lone tunnel letters
// turned into walls.
void compile_maze(Board& board, const MazeLayout& layout);

// The wall code 128 to 139 of (x, y), from which of its four neighbours in the layout text carry
// the given character. A neighbour beyond the layout's edge never joins.
uint8_t wall_shape(const MazeLayout& layout, uint8_t x, uint8_t y, char character);
