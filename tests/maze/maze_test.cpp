// The five mazes and a hand-written one compiled, and the Board queries on them.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "maze/board_queries.h"
#include "maze/maze_compiler.h"

namespace {

TEST(Layouts, EachCompilesToItsCountsOfPelletsWallsAndJunctions) {
  // Pellets; walls and doors, asked for with value bits outside the mask; junctions.
  const std::vector<int> expected[kLayoutCount] = {
      {293, 490, 82}, {221, 502, 62}, {240, 518, 46}, {238, 522, 44}, {234, 512, 52}};
  for (uint8_t n = 0; n < kLayoutCount; ++n) {
    Board board;
    compile_maze(board, maze_layout(n));
    EXPECT_EQ(std::vector<int>({count_cells(board, 0x41, 0xCF), count_cells(board, 0xFF, 0x80),
                                count_cells(board, 0x60, 0xE0)}),
              expected[n])
        << "layout " << int{n};
  }
}

TEST(HandWrittenMaze, CompilesToTheCellBytesOfItsCharactersAndAnswersTheQueries) {
  // Rows 0 to 4: between rows of walls no floor is a junction. Rows 5 to 9: left of (0, 6) is
  // (27, 5), right of (27, 8) is (0, 9); the walls below them and at their own rows' other ends
  // leave three ways open. Row 13 ends at its terminator. Rows 28 to 30 are missing.
  const char* const walls = "############################";
  const char* const wall_at_27 = "                           #";
  // clang-format off
  const MazeLayout layout = {{walls, "#+ .O?~!X;0123456789ABCDEF^>", walls, "V<aa vv oo Gz@\x80",
      walls, "", wall_at_27, "#", "#", wall_at_27, "", "", " #", "k  m  m  m\0####", "", "",
      "c    c", "?", "c    d", "d", "", "", " 7", "", "", wall_at_27, " #", "#~"}};
  // clang-format on
  Board board;
  compile_maze(board, layout);
  // The cells from (x, y) on.
  const std::tuple<int, int, std::vector<int>> rows[] = {
      // Walls join only their own character within the layout; doors are walls + 12.
      {0, 0, {134, 129, 129}},
      {0, 1, {130,  140,  0x40, 0x41, 0x42, 0x43, 0x50, 0x51, 0x52, 0x53, 0x10, 0x11, 0x12, 0x13,
              0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x04, 0x05}},
      // Letters met twice or more are tunnels, a lone one a wall; others are empty floor.
      {0, 3, {6, 7, 0x20, 0x20, 0x40, 0x35, 0x35, 0x40, 0x2E, 0x2E, 0x40, 0x40, 130, 0x40}},
      // The lone 'k' still counted as open when (1, 13) was marked a junction.
      {0, 13, {128, 0x60, 0x60, 0x2C, 0x60, 0x60, 0x2C, 0x60, 0x60, 0x2C, 0x60, 0x60}}};
  for (const auto& [x, y, cells] : rows) {
    for (size_t i = 0; i < cells.size(); ++i) {
      EXPECT_EQ(cell_at(board, x + i, y), cells[i]) << "cell " << x + i << "," << y;
    }
  }
  // At (x, y): is_wall, blocks_chaser, arrow_at, eat_cell, then the cell.
  const std::tuple<uint8_t, uint8_t, std::vector<int>> queries[] = {
      // A wall, a mouth, a spawn marker (the restricted bit counts only on floor), restricted
      // floor, a power pellet, arrows, a bonus on a junction, a pellet eaten twice, off the Board;
      // junctions that see the flat Board, where past the last cell lies wall.
      // clang-format off
      {0, 0, {0x80, 1, 0, 0, 134}}, {2, 3, {0, 0, 0, 255, 0x20}}, {11, 1, {0, 0, 0, 0, 0x11}},
      {7, 1, {0, 1, 0, 1, 0x50}},   {4, 1, {0, 0, 0, 2, 0x40}},   {26, 1, {0, 0, 4, 0, 4}},
      {1, 3, {0, 0, 7, 0, 7}},      {0, 17, {0, 0, 0, 3, 0x60}},  {3, 1, {0, 0, 0, 1, 0x40}},
      {3, 1, {0, 0, 0, 0, 0x40}},   {28, 0, {0x80, 1, 0, 0, 0x80}}, {0, 6, {0, 0, 0, 0, 0x60}},
      {27, 8, {0, 0, 0, 0, 0x60}},  {26, 30, {0, 0, 0, 0, 0x60}},  {27, 30, {0, 0, 0, 0, 0x40}}};
  // clang-format on
  for (const auto& [x, y, expected] : queries) {
    const std::vector<int> answers = {is_wall(board, x, y), blocks_chaser(board, x, y),
                                      arrow_at(board, x, y), eat_cell(board, x, y),
                                      cell_at(board, x, y)};
    EXPECT_EQ(answers, expected) << int{x} << "," << int{y};
  }
  // Each mouth leads to the first other mouth of its letter in reading order, and the first
  // marker in reading order is found.
  const uint8_t warps[][4] = {
      {0, 16, 5, 16}, {0, 18, 0, 16}, {5, 18, 0, 19}, {9, 20, 9, 20}, {28, 16, 28, 16}};
  for (const auto& [x, y, to_x, to_y] : warps) {
    EXPECT_EQ(warp(board, x, y), pack_cell(to_x, to_y)) << int{x} << "," << int{y};
  }
  EXPECT_EQ(find_spawn(board, 7), pack_cell(17, 1));
  // Right turn, else left turn, else back, with neighbours on the flat Board: left of (0, 26)
  // is (27, 25), right of (27, 26) is (0, 27); before the first cell, after the last and beyond
  // the Board lies wall. Restricted floor does not stop a turn.
  const uint8_t turns[][4] = {{0, 26, kDirDown, kDirUp},    {27, 26, kDirUp, kDirLeft},
                              {0, 0, kDirDown, kDirUp},     {5, 30, kDirRight, kDirUp},
                              {28, 5, kDirLeft, kDirRight}, {1, 28, kDirLeft, kDirUp}};
  for (const auto& [x, y, dir, turn] : turns) {
    EXPECT_EQ(turn_when_blocked(board, x, y, dir), turn) << int{x} << "," << int{y};
  }
}

}  // namespace
