#include "maze/maze_compiler.h"

#include <gtest/gtest.h>

#include "maze/cell_byte.h"
#include "tests/maze/text_layout.h"

namespace {

Board compiled(const MazeLayout& layout) {
  Board board;
  compile_maze(board, layout);
  return board;
}

TEST(CompileMaze, Layout0GivesTheListedCells) {
  const Board board = compiled(maze_layout(0));
  const struct {
    int x, y, cell;
  } cases[] = {
      {0, 0, 134},    {27, 0, 133},  {13, 0, 138},   {5, 10, 130},   {10, 12, 134},  {12, 12, 129},
      {13, 12, 141},  {14, 12, 141}, {1, 1, 0x41},   {6, 5, 0x61},   {6, 14, 0x61},  {1, 14, 0x41},
      {12, 10, 0x51}, {0, 14, 0x20}, {27, 14, 0x20}, {13, 23, 0x10}, {12, 13, 0x11}, {11, 13, 0x06},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(board_cell(board, c.x, c.y), c.cell) << c.x << "," << c.y;
  }
  // The five spaces at each end of row 10 are empty floor.
  for (const int x : {0, 1, 2, 3, 4, 23, 24, 25, 26, 27}) {
    EXPECT_EQ(board_cell(board, x, 10) & 0xCF, 0x40) << "column " << x;
  }
}

TEST(CompileMaze, CountsOfWallsDoorsFloorAndJunctionsPerLayout) {
  struct Counts {
    int walls, doors, floor, junctions;
  };
  const Counts expected[kLayoutCount] = {
      {488, 2, 357, 82}, {500, 2, 343, 62}, {516, 2, 327, 46}, {520, 2, 325, 44}, {510, 2, 333, 52},
  };
  for (uint8_t n = 0; n < kLayoutCount; ++n) {
    const Board board = compiled(maze_layout(n));
    int floor = 0;
    int junctions = 0;
    for (const uint8_t cell : board.cells) {
      floor += is_floor_cell(cell);
      junctions += is_junction_cell(cell);
    }
    SCOPED_TRACE(n);
    EXPECT_EQ(cells_between(board, 128, 139), expected[n].walls);
    EXPECT_EQ(cells_between(board, 140, 151), expected[n].doors);
    EXPECT_EQ(floor, expected[n].floor);
    EXPECT_EQ(junctions, expected[n].junctions);
  }
}

TEST(CompileMaze, TranslatesEveryLegendCharacter) {
  TextLayout text{"#+ .O?~!X;0123456789ABCDEF^>", "V<aa vv oo Gz@\x80"};
  const Board board = compiled(text.layout());
  const uint8_t row0[kBoardWidth] = {128,  140,  0x40, 0x41, 0x42, 0x43, 0x50, 0x51, 0x52, 0x53,
                                     0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19,
                                     0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x04, 0x05};
  for (int x = 0; x < kBoardWidth; ++x) {
    EXPECT_EQ(board_cell(board, x, 0) & ~kJunctionBit, row0[x]) << "column " << x;
  }
  EXPECT_EQ(board_cell(board, 0, 1), 0x06);
  EXPECT_EQ(board_cell(board, 1, 1), 0x07);
  EXPECT_EQ(board_cell(board, 2, 1), 0x20);
  EXPECT_EQ(board_cell(board, 5, 1), 0x20 + ('v' - 'a'));
  EXPECT_EQ(board_cell(board, 8, 1), 0x20 + ('o' - 'a'));
  // 'G', '@' and a byte above 127 are empty floor; a lone 'z' is a wall.
  EXPECT_EQ(board_cell(board, 11, 1) & ~kJunctionBit, 0x40);
  EXPECT_EQ(board_cell(board, 12, 1), 128);
  EXPECT_EQ(board_cell(board, 13, 1) & ~kJunctionBit, 0x40);
  EXPECT_EQ(board_cell(board, 14, 1) & ~kJunctionBit, 0x40);
}

TEST(CompileMaze, ShortRowsAreFilledWithSpaces) {
  TextLayout text{"###", std::string("..\0#####", 8)};
  const Board board = compiled(text.layout());
  EXPECT_EQ(board_cell(board, 2, 0), 129);
  for (int x = 3; x < kBoardWidth; ++x) {
    EXPECT_EQ(board_cell(board, x, 0) & ~kJunctionBit, 0x40);
  }
  // Nothing after the terminator is read: the '#' characters there are not walls.
  EXPECT_EQ(board_cell(board, 1, 1) & ~kJunctionBit, 0x41);
  for (int x = 2; x < kBoardWidth; ++x) {
    EXPECT_EQ(board_cell(board, x, 1), 0x60);
  }
}

TEST(CompileMaze, LoneLettersBecomeWallsAndRepeatedLettersStayTunnels) {
  TextLayout text;
  text.text[4] = "#q#";
  text.text[5] = "#";
  text.text[6] = "k";
  text.text[7] = "#          m       m       m";
  const Board board = compiled(text.layout());
  EXPECT_EQ(board_cell(board, 1, 4), 129);
  EXPECT_EQ(board_cell(board, 0, 6), 130);
  EXPECT_EQ(board_cell(board, 11, 7), 0x20 + ('m' - 'a'));
  EXPECT_EQ(board_cell(board, 19, 7), 0x20 + ('m' - 'a'));
  EXPECT_EQ(board_cell(board, 27, 7), 0x20 + ('m' - 'a'));
  // Junctions were marked before the lone letter became a wall: (1, 6) saw it as open.
  EXPECT_EQ(board_cell(board, 1, 6), 0x60);
}

TEST(WallShape, JoinsOnlyTheSameCharacterInsideTheLayout) {
  TextLayout text{"#+#", "###", " #", "", "", "+++", " + "};
  const MazeLayout& layout = text.layout();
  EXPECT_EQ(wall_shape(layout, 0, 0, '#'), 130);
  EXPECT_EQ(wall_shape(layout, 1, 1, '#'), 138);
  EXPECT_EQ(wall_shape(layout, 1, 2, '#'), 130);
  EXPECT_EQ(wall_shape(layout, 1, 0, '+'), 128);
  EXPECT_EQ(wall_shape(layout, 1, 5, '+'), 138);
  EXPECT_EQ(wall_shape(layout, 0, 5, '+'), 129);
  // All sixteen ways of joining, around the centre of a plus of '#'.
  const uint8_t expected[16] = {128, 129, 129, 129, 130, 134, 133, 138,
                                130, 132, 131, 139, 130, 136, 137, 135};
  for (int joins = 0; joins < 16; ++joins) {
    TextLayout plus;
    plus.text[9] = std::string(5, ' ') + ((joins & 8) ? "#" : " ");
    plus.text[10] =
        std::string(4, ' ') + ((joins & 2) ? "#" : " ") + "?" + ((joins & 1) ? "#" : " ");
    plus.text[11] = std::string(5, ' ') + ((joins & 4) ? "#" : " ");
    EXPECT_EQ(wall_shape(plus.layout(), 5, 10, '#'), expected[joins]) << joins;
  }
}

TEST(CompileMaze, JunctionsAtTheEdgesSeeTheFlatBoardAndWallsBeyondIt) {
  TextLayout open;
  const Board board = compiled(open.layout());
  // Row 0: nothing above. Column 0 and column 27 see the neighbouring rows' end cells.
  EXPECT_EQ(board_cell(board, 5, 0), 0x60);
  EXPECT_EQ(board_cell(board, 0, 0), 0x40);
  EXPECT_EQ(board_cell(board, 0, 5), 0x60);
  EXPECT_EQ(board_cell(board, 27, 5), 0x60);
  EXPECT_EQ(board_cell(board, 27, 30), 0x40);

  // (0, 5)'s left neighbour is (27, 4); (27, 5)'s right neighbour is (0, 6).
  TextLayout walled;
  walled.text[4] = "#";
  walled.text[6] = std::string(27, ' ') + "#";
  const Board one_wall = compiled(walled.layout());
  EXPECT_EQ(board_cell(one_wall, 0, 5), 0x60);
  EXPECT_EQ(board_cell(one_wall, 27, 5), 0x60);
  walled.text[4] = "#" + std::string(26, ' ') + "#";
  walled.text[6] = "#" + std::string(26, ' ') + "#";
  const Board two_walls = compiled(walled.layout());
  EXPECT_EQ(board_cell(two_walls, 0, 5), 0x40);
  EXPECT_EQ(board_cell(two_walls, 27, 5), 0x40);
}

}  // namespace
