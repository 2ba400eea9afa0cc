// The built-in mazes, written as text: 31 rows of 28 characters each.
#pragma once

#include <cstdint>

#include "maze/board.h"

constexpr int kLayoutCount = 5;

// The rows of one maze, row 0 first. A row is read for 28 characters; a row that ends sooner
// reads as if filled up with spaces.
struct MazeLayout {
  const char* rows[kBoardHeight];
};

// Maze number 0 to 4; larger numbers repeat the five in turn.
const MazeLayout& maze_layout(uint8_t number);
