#include "maze/layouts.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "actors/player.h"
#include "maze/board_queries.h"
#include "maze/cell_byte.h"
#include "maze/maze_compiler.h"

namespace {

using Cells = std::vector<std::pair<int, int>>;

char at(const MazeLayout& layout, int x, int y) {
  return layout.rows[y][x];
}

Cells cells_holding(const MazeLayout& layout, const std::string& characters) {
  Cells found;
  for (int y = 0; y < kBoardHeight; ++y) {
    for (int x = 0; x < kBoardWidth; ++x) {
      if (characters.find(at(layout, x, y)) != std::string::npos) {
        found.emplace_back(x, y);
      }
    }
  }
  return found;
}

struct LayoutFacts {
  size_t pellets;
  Cells power_pellets;
  Cells tunnel_a;
  Cells tunnel_b;
  Cells restricted;
};

// clang-format off
const LayoutFacts kFacts[kLayoutCount] = {
    {293, {{1, 3}, {26, 3}, {1, 23}, {26, 23}}, {{0, 14}, {27, 14}}, {},
     {{12, 10}, {15, 10}, {12, 22}, {15, 22}}},
    {221, {{1, 2}, {26, 2}, {1, 27}, {26, 27}}, {{0, 8}, {27, 8}}, {{0, 17}, {27, 17}},
     {{9, 10}, {18, 10}, {9, 22}, {18, 22}}},
    {240, {{1, 4}, {26, 4}, {1, 26}, {26, 26}}, {{0, 1}, {27, 1}}, {{0, 23}, {27, 23}},
     {{9, 10}, {18, 10}, {11, 22}, {16, 22}}},
    {238, {{1, 3}, {26, 3}, {1, 23}, {26, 23}}, {{0, 9}, {27, 9}}, {},
     {{9, 10}, {18, 10}, {9, 22}, {18, 22}}},
    {234, {{1, 3}, {26, 3}, {1, 27}, {26, 27}}, {{0, 13}, {27, 13}}, {{0, 16}, {27, 16}}, {}},
};
// clang-format on

TEST(MazeLayout, ItemsTunnelsAndRestrictedCellsAreWhereListed) {
  for (uint8_t n = 0; n < kLayoutCount; ++n) {
    const MazeLayout& layout = maze_layout(n);
    const LayoutFacts& facts = kFacts[n];
    SCOPED_TRACE(n);
    EXPECT_EQ(cells_holding(layout, ".!").size(), facts.pellets);
    EXPECT_EQ(cells_holding(layout, "OX"), facts.power_pellets);
    EXPECT_EQ(cells_holding(layout, "a"), facts.tunnel_a);
    EXPECT_EQ(cells_holding(layout, "b"), facts.tunnel_b);
    EXPECT_EQ(cells_holding(layout, "cdefghijklmnopqrstuvwxyz?;"), Cells{});
    EXPECT_EQ(cells_holding(layout, "~!X;"), facts.restricted);
  }
}

TEST(MazeLayout, AllShareTheChaserHouseStartCellsAndSolidTopAndBottom) {
  const std::array<std::string, 5> house = {"###++###", "#V1^^2V#", "#>>^^<<#", "#^3^^4^#",
                                            "########"};
  for (uint8_t n = 0; n < kLayoutCount; ++n) {
    const MazeLayout& layout = maze_layout(n);
    SCOPED_TRACE(n);
    for (int row = 0; row < 5; ++row) {
      EXPECT_EQ(std::string(layout.rows[12 + row] + 10, 8), house[row]);
    }
    EXPECT_EQ(cells_holding(layout, "0"), (Cells{{13, 23}}));
    EXPECT_EQ(cells_holding(layout, "1"), (Cells{{12, 13}}));
    EXPECT_EQ(cells_holding(layout, "2"), (Cells{{15, 13}}));
    EXPECT_EQ(cells_holding(layout, "3"), (Cells{{12, 15}}));
    EXPECT_EQ(cells_holding(layout, "4"), (Cells{{15, 15}}));
    EXPECT_EQ(std::string(layout.rows[0]), std::string(28, '#'));
    EXPECT_EQ(std::string(layout.rows[30]), std::string(28, '#'));
  }
}

TEST(MazeLayout, RowsOf28CharactersThatMirrorApartFromStartCells) {
  auto mirrored = [](char c) { return c == '<' ? '>' : c == '>' ? '<' : c; };
  auto is_start = [](char c) { return c >= '0' && c <= '4'; };
  for (uint8_t n = 0; n < kLayoutCount; ++n) {
    const MazeLayout& layout = maze_layout(n);
    for (int y = 0; y < kBoardHeight; ++y) {
      ASSERT_EQ(std::strlen(layout.rows[y]), 28u) << "layout " << int(n) << " row " << y;
      for (int x = 0; x < 14; ++x) {
        const char left = at(layout, x, y);
        const char right = at(layout, 27 - x, y);
        if (!is_start(left) && !is_start(right)) {
          EXPECT_EQ(mirrored(left), right) << "layout " << int(n) << " at " << x << "," << y;
        }
      }
    }
  }
}

// Every cell the player can end a step on, found by stepping it from every reached cell in
// every direction.
std::vector<bool> cells_reached(const Board& board) {
  const uint16_t start = find_spawn(board, 0);
  std::vector<bool> reached(kBoardCells, false);
  std::deque<std::pair<uint8_t, uint8_t>> open{{packed_x(start), packed_y(start)}};
  reached[packed_y(start) * kBoardWidth + packed_x(start)] = true;
  while (!open.empty()) {
    const auto [x, y] = open.front();
    open.pop_front();
    for (uint8_t dir = 0; dir < 4; ++dir) {
      Board scratch = board;
      Player player{};
      player.x = x;
      player.y = y;
      player.dir = dir;
      step_player(player, scratch, static_cast<uint8_t>(4 + dir));
      if (player.x >= kBoardWidth || player.y >= kBoardHeight) {
        ADD_FAILURE() << "left the Board from " << int(x) << "," << int(y);
        continue;
      }
      const int index = player.y * kBoardWidth + player.x;
      if (!reached[index]) {
        reached[index] = true;
        open.emplace_back(player.x, player.y);
      }
    }
  }
  return reached;
}

TEST(MazeLayout, EveryPelletCanBeReachedFromThePlayersStart) {
  for (uint8_t n = 0; n < kLayoutCount; ++n) {
    Board board;
    compile_maze(board, maze_layout(n));
    const std::vector<bool> reached = cells_reached(board);
    int items = 0;
    for (int i = 0; i < kBoardCells; ++i) {
      const uint8_t item = board.cells[i] & kItemMask;
      if (is_floor_cell(board.cells[i]) && (item == kItemPellet || item == kItemPowerPellet)) {
        ++items;
        EXPECT_TRUE(reached[i]) << "layout " << int(n) << " cell " << i % 28 << "," << i / 28;
      }
    }
    EXPECT_EQ(items, kFacts[n].pellets + 4);
  }
}

}  // namespace
