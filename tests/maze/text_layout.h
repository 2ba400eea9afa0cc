// Maze layouts written in a test, and the counting of compiled cells.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "game/game_state.h"
#include "maze/layouts.h"

// A layout held as strings; rows not given are empty and compile as spaces.
class TextLayout {
 public:
  TextLayout() = default;
  TextLayout(std::initializer_list<std::string> rows) {
    int y = 0;
    for (const std::string& row : rows) {
      text[y++] = row;
    }
  }
  const MazeLayout& layout() {
    for (int y = 0; y < kBoardHeight; ++y) {
      rows_.rows[y] = text[y].c_str();
    }
    return rows_;
  }

  std::array<std::string, kBoardHeight> text;

 private:
  MazeLayout rows_{};
};

inline uint8_t board_cell(const Board& board, int x, int y) {
  return board.cells[y * kBoardWidth + x];
}

// The number of cells whose byte lies in first..last.
inline int cells_between(const Board& board, int first, int last) {
  int count = 0;
  for (const uint8_t cell : board.cells) {
    count += cell >= first && cell <= last;
  }
  return count;
}
