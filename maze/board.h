// The board every maze is compiled into, and the directions figures face and move in on it.
#pragma once

#include <cstdint>

constexpr int kBoardWidth = 28;
constexpr int kBoardHeight = 31;
constexpr int kBoardCells = kBoardWidth * kBoardHeight;

// Directions: the way a figure faces and moves.
constexpr uint8_t kDirUp = 0;
constexpr uint8_t kDirRight = 1;
constexpr uint8_t kDirDown = 2;
constexpr uint8_t kDirLeft = 3;

// The 31 x 28 cell bytes of a compiled maze, row after row: cell (x, y) is cells[y * 28 + x].
struct Board {
  uint8_t cells[kBoardCells];
};
