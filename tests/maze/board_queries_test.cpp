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

TEST(Directions, StepsWrapAsBytes) {
  EXPECT_EQ(step_x(0, kDirLeft), 255);
  EXPECT_EQ(step_y(0, kDirUp), 255);
  EXPECT_EQ(step_y(255, kDirDown), 0);
  EXPECT_EQ(step_x(27, kDirRight), 28);
}

TEST_F(Layout0, IsWall) {
  EXPECT_EQ(is_wall(board, 0, 0), 0x80);
  EXPECT_EQ(is_wall(board, 13, 12), 0x80);
  EXPECT_EQ(is_wall(board, 0, 14), 0);
  EXPECT_EQ(is_wall(board, 13, 23), 0);
  EXPECT_EQ(is_wall(board, 12, 10), 0);
}

TEST_F(Layout0, BlocksChaser) {
  EXPECT_EQ(blocks_chaser(board, 12, 10), 1);
  EXPECT_EQ(blocks_chaser(board, 11, 13), 0);
  EXPECT_EQ(blocks_chaser(board, 12, 13), 0);
  EXPECT_EQ(blocks_chaser(board, 6, 5), 0);
  EXPECT_EQ(blocks_chaser(board, 13, 12), 1);
  EXPECT_EQ(blocks_chaser(board, 0, 0), 1);
}

TEST(BlocksChaser, RestrictedBitCountsOnlyOnFloor) {
  TextLayout text{"zz5~"};
  Board board;
  compile_maze(board, text.layout());
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
  EXPECT_EQ(eat_cell(board, 1, 1), 1);
  EXPECT_EQ(board_cell(board, 1, 1), 0x40);
  EXPECT_EQ(eat_cell(board, 1, 1), 0);
  EXPECT_EQ(eat_cell(board, 6, 5), 1);
  EXPECT_EQ(board_cell(board, 6, 5), 0x60);
  EXPECT_EQ(eat_cell(board, 12, 10), 1);
  EXPECT_EQ(board_cell(board, 12, 10), 0x50);
  EXPECT_EQ(eat_cell(board, 1, 3), 2);
  EXPECT_EQ(board_cell(board, 1, 3), 0x40);
  EXPECT_EQ(eat_cell(board, 0, 14), 255);
  EXPECT_EQ(board_cell(board, 0, 14), 0x20);
  EXPECT_EQ(eat_cell(board, 13, 23), 0);
  EXPECT_EQ(board_cell(board, 13, 23), 0x10);
  EXPECT_EQ(eat_cell(board, 0, 0), 0);
  EXPECT_EQ(board_cell(board, 0, 0), 134);
  EXPECT_EQ(count_cells(board, 0x41, 0xCF), 290);
  EXPECT_EQ(count_cells(board, 0x42, 0xCF), 3);

  board.cells[23 * kBoardWidth + 13] = 0x43;
  EXPECT_EQ(eat_cell(board, 13, 23), 3);
  EXPECT_EQ(board_cell(board, 13, 23), 0x40);
}

TEST_F(Layout0, ArrowAt) {
  EXPECT_EQ(arrow_at(board, 11, 13), 6);
  EXPECT_EQ(arrow_at(board, 13, 13), 4);
  EXPECT_EQ(arrow_at(board, 15, 14), 7);
  EXPECT_EQ(arrow_at(board, 11, 14), 5);
  EXPECT_EQ(arrow_at(board, 12, 13), 0);
  EXPECT_EQ(arrow_at(board, 6, 5), 0);
}

TEST_F(Layout0, FindSpawn) {
  EXPECT_EQ(find_spawn(board, 0), 23 * 256 + 13);
  EXPECT_EQ(find_spawn(board, 1), 13 * 256 + 12);
  EXPECT_EQ(find_spawn(board, 2), 13 * 256 + 15);
  EXPECT_EQ(find_spawn(board, 3), 15 * 256 + 12);
  EXPECT_EQ(find_spawn(board, 4), 15 * 256 + 15);
  EXPECT_EQ(find_spawn(board, 5), 0);
  EXPECT_EQ(find_spawn(board, 16), 0);
}

TEST(FindSpawn, TakesTheFirstMarkerInReadingOrder) {
  TextLayout text{"", "   7", " 7"};
  Board board;
  compile_maze(board, text.layout());
  EXPECT_EQ(find_spawn(board, 7), 1 * 256 + 3);
  EXPECT_EQ(find_spawn(board, 23), 0);
}

TEST_F(Layout0, WarpWithTwoMouths) {
  EXPECT_EQ(warp(board, 0, 14), 14 * 256 + 27);
  EXPECT_EQ(warp(board, 27, 14), 14 * 256 + 0);
  EXPECT_EQ(warp(board, 6, 5), 5 * 256 + 6);
}

TEST(Warp, ThreeMouthsLeadToTheFirstOtherInReadingOrder) {
  TextLayout text{"", "c    c", "", "c    d", "d"};
  Board board;
  compile_maze(board, text.layout());
  EXPECT_EQ(warp(board, 0, 1), 1 * 256 + 5);
  EXPECT_EQ(warp(board, 5, 1), 1 * 256 + 0);
  EXPECT_EQ(warp(board, 0, 3), 1 * 256 + 0);
  EXPECT_EQ(warp(board, 5, 3), 4 * 256 + 0);
  EXPECT_EQ(warp(board, 0, 4), 3 * 256 + 5);
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
  Board board;
  compile_maze(board, text.layout());
  EXPECT_EQ(turn_when_blocked(board, 0, 5, kDirDown), kDirUp);
  text.text[4] = "";
  compile_maze(board, text.layout());
  EXPECT_EQ(turn_when_blocked(board, 0, 5, kDirDown), kDirLeft);
  // A step right from column 27 meets column 0 of the next row; beyond the last cell is wall.
  text.text[6] = "#";
  compile_maze(board, text.layout());
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
