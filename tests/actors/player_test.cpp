#include "actors/player.h"

#include <gtest/gtest.h>

#include <cstring>

#include "game/round_tick.h"
#include "maze/maze_compiler.h"
#include "tests/maze/text_layout.h"

namespace {

constexpr uint8_t kNoTurn = 0;

class StepPlayer : public ::testing::Test {
 protected:
  void SetUp() override { compile_maze(board, maze_layout(0)); }

  void place(uint8_t x, uint8_t y, uint8_t dir) {
    player = Player{};
    player.x = x;
    player.y = y;
    player.dir = dir;
  }

  void expect_at(uint8_t x, uint8_t y, uint8_t dir) {
    EXPECT_EQ(player.x, x);
    EXPECT_EQ(player.y, y);
    EXPECT_EQ(player.dir, dir);
  }

  Board board;
  Player player{};
};

TEST_F(StepPlayer, GoesStraightOnAndStopsAtAWall) {
  place(3, 1, kDirLeft);
  EXPECT_EQ(step_player(player, board, kNoTurn), 1);
  expect_at(2, 1, kDirLeft);
  EXPECT_EQ(step_player(player, board, kNoTurn), 1);
  expect_at(1, 1, kDirLeft);
  for (int tick = 0; tick < 3; ++tick) {
    EXPECT_EQ(step_player(player, board, kNoTurn), 0);
    expect_at(1, 1, kDirLeft);
  }
}

TEST_F(StepPlayer, TakesAnOpenTurnOrTheReverseAtOnce) {
  place(6, 5, kDirRight);
  player.queued_turn = 0x34;
  step_player(player, board, kTurnDown);
  expect_at(6, 6, kDirDown);
  EXPECT_EQ(player.queued_turn, 0);
  // A request for the way it already goes drops the queue just the same.
  place(3, 1, kDirRight);
  player.queued_turn = 0x04;
  step_player(player, board, kTurnRight);
  expect_at(4, 1, kDirRight);
  EXPECT_EQ(player.queued_turn, 0);
  // The reverse turns it round in a corridor.
  step_player(player, board, kTurnLeft);
  expect_at(3, 1, kDirLeft);
}

TEST_F(StepPlayer, QueuesARefusedTurnAndTriesItOnceMoreAtOnce) {
  place(3, 5, kDirRight);
  step_player(player, board, kTurnDown);
  expect_at(4, 5, kDirRight);
  EXPECT_EQ(player.queued_turn, 0x23);
  // A new refused request replaces the queue.
  step_player(player, board, kTurnUp);
  expect_at(5, 5, kDirRight);
  EXPECT_EQ(player.queued_turn, 0x03);
}

// The player runs right along row 5 towards the side corridor below (6, 5) and asks to turn
// down when `cells_before` cells short of it. Returns whether it went down from (6, 5).
bool turns_down_at_opening(Board& board, uint8_t cells_before) {
  Player player{};
  player.x = static_cast<uint8_t>(6 - cells_before);
  player.y = 5;
  player.dir = kDirRight;
  step_player(player, board, kTurnDown);
  while (player.x < 6 && player.y == 5) {
    step_player(player, board, kNoTurn);
  }
  step_player(player, board, kNoTurn);
  return player.x == 6 && player.y == 6 && player.dir == kDirDown;
}

TEST_F(StepPlayer, ARefusedTurnIsRetriedForThreeMoreTicks) {
  EXPECT_TRUE(turns_down_at_opening(board, 1));
  EXPECT_TRUE(turns_down_at_opening(board, 2));
  EXPECT_TRUE(turns_down_at_opening(board, 3));
  EXPECT_FALSE(turns_down_at_opening(board, 4));
}

TEST_F(StepPlayer, TheRetryCountsDownAfterTheTurnIsTaken) {
  place(5, 5, kDirRight);
  step_player(player, board, kTurnDown);
  step_player(player, board, kNoTurn);
  expect_at(6, 6, kDirDown);
  EXPECT_EQ(player.queued_turn, 0x22);
  step_player(player, board, kNoTurn);
  step_player(player, board, kNoTurn);
  EXPECT_EQ(player.queued_turn, 0x20);
  step_player(player, board, kNoTurn);
  EXPECT_EQ(player.queued_turn, 0x20);
}

TEST_F(StepPlayer, PassesThroughTheTunnelAndEatsBeyondIt) {
  place(1, 14, kDirLeft);
  EXPECT_EQ(step_player(player, board, kNoTurn), 1);
  expect_at(26, 14, kDirLeft);
  place(26, 14, kDirRight);
  EXPECT_EQ(step_player(player, board, kNoTurn), 1);
  expect_at(1, 14, kDirRight);
}

TEST_F(StepPlayer, EatsPelletsPowerPelletsAndBonusItemsOnce) {
  place(2, 1, kDirLeft);
  EXPECT_EQ(step_player(player, board, kTurnLeft), 1);
  EXPECT_EQ(board_cell(board, 1, 1), 0x40);
  place(2, 1, kDirLeft);
  EXPECT_EQ(step_player(player, board, kNoTurn), 0);
  place(1, 2, kDirDown);
  EXPECT_EQ(step_player(player, board, kNoTurn), 2);
  board.cells[23 * kBoardWidth + 13] = 0x43;
  place(12, 23, kDirRight);
  EXPECT_EQ(step_player(player, board, kNoTurn), 3);
  // Restricted floor is plain floor to the player.
  place(12, 9, kDirDown);
  EXPECT_EQ(step_player(player, board, kNoTurn), 1);
  expect_at(12, 10, kDirDown);
}

TEST(StepPlayerTunnels, EndingOnAMouthGives255) {
  // Walking left onto the 'p' at (0, 1) leads to (27, 1); one step left of it is the 'q' at
  // (26, 1), where the step ends.
  TextLayout text{"############################", "p                         qp",
                  "############################", "q"};
  Board board;
  compile_maze(board, text.layout());
  Player player{};
  player.x = 1;
  player.y = 1;
  player.dir = kDirLeft;
  EXPECT_EQ(step_player(player, board, kNoTurn), 255);
  EXPECT_EQ(player.x, 26);
  EXPECT_EQ(player.y, 1);
}

TEST(StepPlayerTunnels, AMouthOnTheEdgeCanLeadOffTheBoardAndBack) {
  // Walking right onto the 'm' at (5, 1) leads out one step right of (27, 1), beyond the Board.
  TextLayout text{"############################", "     m                     m",
                  "############################"};
  Board board;
  compile_maze(board, text.layout());
  const Board before = board;
  Player player{};
  player.x = 4;
  player.y = 1;
  player.dir = kDirRight;
  EXPECT_EQ(step_player(player, board, kNoTurn), 0);
  EXPECT_EQ(player.x, 28);
  EXPECT_EQ(player.y, 1);
  // Beyond the Board everything is wall: it stands still until it turns back.
  EXPECT_EQ(step_player(player, board, kTurnDown), 0);
  EXPECT_EQ(player.x, 28);
  EXPECT_EQ(step_player(player, board, kTurnLeft), 0);
  EXPECT_EQ(player.x, 4);
  EXPECT_EQ(player.dir, kDirLeft);
  EXPECT_EQ(0, std::memcmp(&before, &board, sizeof board));
}

}  // namespace
