#include "maze/board_queries.h"

#include <gtest/gtest.h>

#include <cstring>

#include "maze/maze_compiler.h"
#include "tests/maze/text_layout.h"

namespace {

class Layout0 : public ::testing::Test {
 protected:
  void SetUp() override { compile_maze(board, maze_layout(0)); }
  Board board;
};

Board compiled(TextLayout& text) {
  Board board;
  compile_maze(board, text.layout());
  return board;
}

TEST(Directions, StepsWrapAsBytes) {
  EXPECT_EQ(step_x(0, kDirLeft), 255);
  EXPECT_EQ(step_y(0, kDirUp), 255);
  EXPECT_EQ(step_y(255, kDirDown), 0);
  EXPECT_EQ(step_x(27, kDirRight), 28);
}

TEST_F(Layout0, IsWallBlocksChaserAndArrowAtEachCell) {
  const struct {
    uint8_t x, y;
    uint8_t wall, blocks, arrow;
  } cases[] = {
      // A wall, the door, a tunnel mouth, the player's start, a restricted pellet, a pellet,
      // chaser 0's start and four arrows.
      {0, 0, 0x80, 1, 0}, {13, 12, 0x80, 1, 0}, {0, 14, 0, 0, 0},  {13, 23, 0, 0, 0},
      {12, 10, 0, 1, 0},  {6, 5, 0, 0, 0},      {12, 13, 0, 0, 0}, {11, 13, 0, 0, 6},
      {13, 13, 0, 0, 4},  {15, 14, 0, 0, 7},    {11, 14, 0, 0, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << int{c.x} << "," << int{c.y});
    EXPECT_EQ(is_wall(board, c.x, c.y), c.wall);
    EXPECT_EQ(blocks_chaser(board, c.x, c.y), c.blocks);
    EXPECT_EQ(arrow_at(board, c.x, c.y), c.arrow);
  }
}

TEST(BlocksChaser, RestrictedBitCountsOnlyOnFloor) {
  TextLayout text{"zz5~"};
  const Board board = compiled(text);
  EXPECT_EQ(blocks_chaser(board, 0, 0), 0);  // tunnel 'z', 0x39
  EXPECT_EQ(blocks_chaser(board, 2, 0), 0);  // spawn marker 5, 0x15
  EXPECT_EQ(blocks_chaser(board, 3, 0), 1);
}

TEST_F(Layout0, CountCells) {
  EXPECT_EQ(count_cells(board, 0x41, 0xCF), 293);
  EXPECT_EQ(count_cells(board, 0x42, 0xCF), 4);
  EXPECT_EQ(count_cells(board, 0x00, 0x00), kBoardCells);
  // Only the bits of the mask matter, in the value too.
  EXPECT_EQ(count_cells(board, 0xFF, 0x80), count_cells(board, 0x80, 0x80));
}

TEST_F(Layout0, EatCell) {
  const struct {
    uint8_t x, y;
    uint8_t item, left;
  } cases[] = {
      {1, 1, 1, 0x40}, {1, 1, 0, 0x40},    {6, 5, 1, 0x60},   {12, 10, 1, 0x50},
      {1, 3, 2, 0x40}, {0, 14, 255, 0x20}, {13, 23, 0, 0x10}, {0, 0, 0, 134},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(eat_cell(board, c.x, c.y), c.item) << int{c.x} << "," << int{c.y};
    EXPECT_EQ(board_cell(board, c.x, c.y), c.left) << int{c.x} << "," << int{c.y};
  }
  EXPECT_EQ(count_cells(board, 0x41, 0xCF), 290);
  EXPECT_EQ(count_cells(board, 0x42, 0xCF), 3);
  board.cells[23 * kBoardWidth + 13] = 0x43;
  EXPECT_EQ(eat_cell(board, 13, 23), 3);
  EXPECT_EQ(board_cell(board, 13, 23), 0x40);
}

TEST_F(Layout0, FindSpawn) {
  const uint16_t expected[] = {23 * 256 + 13, 13 * 256 + 12, 13 * 256 + 15,
                               15 * 256 + 12, 15 * 256 + 15, 0};
  for (uint8_t n = 0; n < 6; ++n) {
    EXPECT_EQ(find_spawn(board, n), expected[n]) << int{n};
  }
  EXPECT_EQ(find_spawn(board, 16), 0);
  // The first marker in reading order.
  TextLayout text{"", "   7", " 7"};
  EXPECT_EQ(find_spawn(compiled(text), 7), 1 * 256 + 3);
}

TEST_F(Layout0, WarpWithTwoMouthsAndWithThree) {
  EXPECT_EQ(warp(board, 0, 14), 14 * 256 + 27);
  EXPECT_EQ(warp(board, 27, 14), 14 * 256 + 0);
  EXPECT_EQ(warp(board, 6, 5), 5 * 256 + 6);
  // Each mouth leads to the first other one in reading order.
  TextLayout text{"", "c    c", "", "c    d", "d"};
  const Board three = compiled(text);
  EXPECT_EQ(warp(three, 0, 1), 1 * 256 + 5);
  EXPECT_EQ(warp(three, 5, 1), 1 * 256 + 0);
  EXPECT_EQ(warp(three, 0, 3), 1 * 256 + 0);
  EXPECT_EQ(warp(three, 5, 3), 4 * 256 + 0);
  EXPECT_EQ(warp(three, 0, 4), 3 * 256 + 5);
}

TEST_F(Layout0, TurnWhenBlocked) {
  EXPECT_EQ(turn_when_blocked(board, 1, 1, kDirUp), kDirRight);
  EXPECT_EQ(turn_when_blocked(board, 1, 1, kDirLeft), kDirDown);
  EXPECT_EQ(turn_when_blocked(board, 2, 1, kDirRight), kDirLeft);
  EXPECT_EQ(turn_when_blocked(board, 26, 1, kDirRight), kDirDown);
  // Only walls stop a turn: from (12, 11) heading left the right turn enters restricted floor.
  EXPECT_EQ(turn_when_blocked(board, 12, 11, kDirLeft), kDirUp);
}

TEST(TurnWhenBlocked, StepsOffARowOntoTheFlatBoard) {
  // (0, 5) heading down: its right turn steps left, which on the flat Board meets (27, 4), a
  // wall here; its left turn meets (1, 5), a wall too.
  TextLayout text;
  text.text[4] = std::string(27, ' ') + "#";
  text.text[5] = " #";
  EXPECT_EQ(turn_when_blocked(compiled(text), 0, 5, kDirDown), kDirUp);
  text.text[4] = "";
  EXPECT_EQ(turn_when_blocked(compiled(text), 0, 5, kDirDown), kDirLeft);
  // A step right from column 27 meets column 0 of the next row; beyond the last cell is wall.
  text.text[6] = "#";
  const Board board = compiled(text);
  EXPECT_EQ(turn_when_blocked(board, 27, 5, kDirUp), kDirLeft);
  EXPECT_EQ(turn_when_blocked(board, 27, 30, kDirUp), kDirLeft);
  EXPECT_EQ(turn_when_blocked(board, 5, 30, kDirRight), kDirUp);
}

TEST(BoardQueries, CellsBeyondTheBoardAnswerAsWalls) {
  Board board;
  std::memset(board.cells, 0x41, sizeof board.cells);
  const Board before = board;
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      if (x < kBoardWidth && y < kBoardHeight) {
        continue;
      }
      const uint8_t bx = static_cast<uint8_t>(x);
      const uint8_t by = static_cast<uint8_t>(y);
      ASSERT_EQ(cell_at(board, bx, by), kOutsideCell);
      ASSERT_EQ(is_wall(board, bx, by), 0x80);
      ASSERT_EQ(blocks_chaser(board, bx, by), 1);
      ASSERT_EQ(eat_cell(board, bx, by), 0);
      ASSERT_EQ(arrow_at(board, bx, by), 0);
      ASSERT_EQ(warp(board, bx, by), pack_cell(bx, by));
      ASSERT_EQ(turn_when_blocked(board, bx, by, kDirUp), kDirDown);
    }
  }
  EXPECT_EQ(std::memcmp(&before, &board, sizeof board), 0);
}

}  // namespace
