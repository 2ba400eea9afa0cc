#include "actors/chaser_steering.h"

#include <gtest/gtest.h>

#include "actors/random.h"
#include "maze/maze_compiler.h"
#include "tests/maze/text_layout.h"

namespace {

class Steering : public ::testing::Test {
 protected:
  void SetUp() override {
    compile_maze(board, maze_layout(0));
    random_state = {0, 0};
  }

  Chaser chaser_at(uint8_t x, uint8_t y, uint8_t dir, uint8_t target_x = 13,
                   uint8_t target_y = 23) {
    Chaser chaser{};
    chaser.x = x;
    chaser.y = y;
    chaser.dir = dir;
    chaser.target_x = target_x;
    chaser.target_y = target_y;
    return chaser;
  }

  void expect_at(const Chaser& chaser, uint8_t x, uint8_t y, uint8_t dir) {
    EXPECT_EQ(chaser.x, x);
    EXPECT_EQ(chaser.y, y);
    EXPECT_EQ(chaser.dir, dir);
  }

  Board board;
};

TEST_F(Steering, CorridorsBendsAndDeadEnds) {
  Chaser chaser = chaser_at(3, 1, kDirLeft);
  step_chaser(chaser, board, false, false);
  expect_at(chaser, 2, 1, kDirLeft);
  // At the corner (1, 1) the right turn, up, is a wall; the left turn, down, is taken.
  chaser = chaser_at(1, 1, kDirLeft);
  step_chaser(chaser, board, false, false);
  expect_at(chaser, 1, 2, kDirDown);
  chaser = chaser_at(1, 1, kDirUp);
  step_chaser(chaser, board, false, false);
  expect_at(chaser, 2, 1, kDirRight);

  TextLayout dead_end{"#####", "#   #", "#####"};
  Board pocket;
  compile_maze(pocket, dead_end.layout());
  chaser = chaser_at(3, 1, kDirRight);
  step_chaser(chaser, pocket, false, false);
  expect_at(chaser, 2, 1, kDirLeft);
  // Walled in on all four sides, it stays.
  TextLayout cell{"###", "# #", "###"};
  compile_maze(pocket, cell.layout());
  chaser = chaser_at(1, 1, kDirUp);
  step_chaser(chaser, pocket, false, false);
  expect_at(chaser, 1, 1, kDirDown);
}

TEST_F(Steering, JunctionsGoNearestToTheTargetButNeverBack) {
  // (6, 5) is open all round.
  Chaser chaser = chaser_at(6, 5, kDirRight, 6, 0);
  EXPECT_EQ(choose_direction(chaser, board, false, false), kDirUp);
  chaser = chaser_at(6, 5, kDirUp, 6, 30);
  EXPECT_NE(choose_direction(chaser, board, false, false), kDirDown);
  step_chaser(chaser, board, false, false);
  EXPECT_NE(chaser.dir, kDirDown);
}

TEST_F(Steering, EqualScoresGoUpThenLeftThenDownThenRight) {
  // Target on the junction itself: every open neighbour scores 1.
  EXPECT_EQ(choose_direction(chaser_at(6, 5, kDirLeft, 6, 5), board, false, false), kDirUp);
  EXPECT_EQ(choose_direction(chaser_at(6, 5, kDirDown, 6, 5), board, false, false), kDirLeft);
  // Target (7, 6): right and down score 1, up and left 5.
  EXPECT_EQ(choose_direction(chaser_at(6, 5, kDirRight, 7, 6), board, false, false), kDirDown);
  EXPECT_EQ(choose_direction(chaser_at(6, 5, kDirUp, 7, 6), board, false, false), kDirRight);
}

TEST_F(Steering, AFarTargetLetsTheBlockedMarkerWin) {
  // (9, 5) has a wall above: up is picked, and the wall turns the chaser right again.
  Chaser chaser = chaser_at(9, 5, kDirRight, 248, 18);
  EXPECT_EQ(choose_direction(chaser, board, false, false), kDirUp);
  step_chaser(chaser, board, false, false);
  expect_at(chaser, 10, 5, kDirRight);
  // (12, 5) has a wall below: down is picked, and its right turn sends the chaser back.
  chaser = chaser_at(12, 5, kDirRight, 248, 18);
  EXPECT_EQ(choose_direction(chaser, board, false, false), kDirDown);
  step_chaser(chaser, board, false, false);
  expect_at(chaser, 11, 5, kDirLeft);
}

TEST_F(Steering, ScoresAreKeptIn16Bits) {
  // Towards (187, 186) from (6, 5): left scores 182^2 + 181^2 = 65885, kept as 349, and beats
  // down and right at 65161.
  EXPECT_EQ(choose_direction(chaser_at(6, 5, kDirDown, 187, 186), board, false, false), kDirLeft);
}

TEST_F(Steering, RestrictedFloorAtJunctionsIsForReturningChasersOnly) {
  // (12, 11): restricted pellet above, wall below; the target lies straight up.
  Chaser chaser = chaser_at(12, 11, kDirLeft, 12, 0);
  EXPECT_EQ(choose_direction(chaser, board, false, false), kDirLeft);
  EXPECT_EQ(choose_direction(chaser, board, false, true), kDirUp);
  EXPECT_EQ(choose_direction(chaser, board, true, true), kDirUp);
  step_chaser(chaser, board, true, true);
  expect_at(chaser, 12, 10, kDirUp);
  EXPECT_EQ(random_state.a, 0u);
  // Straight on from a corridor cell any chaser crosses it.
  chaser = chaser_at(12, 9, kDirDown, 12, 0);
  step_chaser(chaser, board, false, false);
  expect_at(chaser, 12, 10, kDirDown);
}

TEST_F(Steering, ArrowsLeadThroughTheDoorOnlyWhenFollowed) {
  Chaser chaser = chaser_at(13, 13, kDirLeft);
  chaser.flags = kFollowArrows;
  step_chaser(chaser, board, false, false);
  expect_at(chaser, 13, 12, kDirUp);
  // On the door: no arrow, no junction, open above.
  step_chaser(chaser, board, false, false);
  expect_at(chaser, 13, 11, kDirUp);

  chaser = chaser_at(13, 13, kDirUp);
  step_chaser(chaser, board, false, false);
  expect_at(chaser, 14, 13, kDirRight);
}

TEST_F(Steering, FrightenedChasersTakeTheRightTurnOfATTwiceAsOften) {
  // Up from the stem into (9, 5): wall ahead, both sides open.
  int right = 0;
  int left = 0;
  constexpr int kTries = 3000;
  for (int i = 0; i < kTries; ++i) {
    Chaser chaser = chaser_at(9, 5, kDirUp);
    step_chaser(chaser, board, true, false);
    right += chaser.x == 10 && chaser.dir == kDirRight;
    left += chaser.x == 8 && chaser.dir == kDirLeft;
  }
  EXPECT_EQ(right + left, kTries);
  EXPECT_NEAR(static_cast<double>(right) / kTries, 2.0 / 3.0, 0.03);
}

TEST_F(Steering, TheGeneratorIsDrawnOnlyByFrightenedDecisionsAtJunctions) {
  Chaser chaser = chaser_at(3, 1, kDirLeft);
  step_chaser(chaser, board, true, false);
  chaser = chaser_at(6, 5, kDirLeft);
  step_chaser(chaser, board, false, false);
  step_chaser(chaser, board, true, true);
  EXPECT_EQ(random_state.a, 0u);
  chaser = chaser_at(6, 5, kDirLeft);
  step_chaser(chaser, board, true, false);
  EXPECT_EQ(random_state.a, 13u);
}

TEST_F(Steering, LeavesThroughATunnel) {
  Chaser chaser = chaser_at(1, 14, kDirLeft);
  step_chaser(chaser, board, false, false);
  expect_at(chaser, 26, 14, kDirLeft);
}

}  // namespace
