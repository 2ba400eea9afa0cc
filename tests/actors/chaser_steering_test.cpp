#include "actors/chaser_steering.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/random.h"
#include "maze/maze_compiler.h"
#include "tests/maze/text_layout.h"

namespace {

// A chaser at (x, y) heading dir towards its target, with its follow-arrows flag and the flags
// the round tick hands to it.
struct Steered {
  uint8_t x, y, dir;
  uint8_t target_x, target_y;
  bool follows_arrows = false;
  bool frightened = false;
  bool returning = false;

  Chaser chaser() const {
    return {{x, y, dir, 0, 0}, target_x, target_y, follows_arrows ? kFollowArrows : uint8_t{0}};
  }
};

std::string described(const Steered& s) {
  return testing::PrintToString(std::vector<int>{s.x, s.y, s.dir, s.target_x, s.target_y,
                                                 s.follows_arrows, s.frightened, s.returning});
}

class Steering : public ::testing::Test {
 protected:
  void SetUp() override {
    compile_maze(board, maze_layout(0));
    random_state = {0, 0};
  }
  Board board;
};

TEST_F(Steering, ChooseDirectionTakesTheNearestOpenNeighbourNeverTheReverse) {
  const struct {
    Steered steered;
    uint8_t chosen;
  } cases[] = {
      // (6, 5) is open all round.
      {{6, 5, kDirRight, 6, 0}, kDirUp},
      {{6, 5, kDirUp, 6, 30}, kDirLeft},
      // Equal scores go to up, then left, then down, then right.
      {{6, 5, kDirLeft, 6, 5}, kDirUp},
      {{6, 5, kDirDown, 6, 5}, kDirLeft},
      {{6, 5, kDirRight, 7, 6}, kDirDown},
      {{6, 5, kDirUp, 7, 6}, kDirRight},
      // Towards (187, 186) left scores 182^2 + 181^2 = 65885, kept in 16 bits as 349: it beats
      // down and right at 65161.
      {{6, 5, kDirDown, 187, 186}, kDirLeft},
      // A far target lets the blocked marker of a wall win.
      {{9, 5, kDirRight, 248, 18}, kDirUp},
      {{12, 5, kDirRight, 248, 18}, kDirDown},
      // (12, 11): restricted floor above, a wall below, the target straight up. Only a returning
      // chaser, frightened or not, takes the restricted floor.
      {{12, 11, kDirLeft, 12, 0}, kDirLeft},
      {{12, 11, kDirLeft, 12, 0, false, false, true}, kDirUp},
      {{12, 11, kDirLeft, 12, 0, false, true, true}, kDirUp},
  };
  for (const auto& c : cases) {
    const Steered& s = c.steered;
    EXPECT_EQ(choose_direction(s.chaser(), board, s.frightened, s.returning), c.chosen)
        << described(s);
  }
  EXPECT_EQ(random_state.a, 0u);
}

TEST_F(Steering, StepChaserMovesOneCell) {
  const struct {
    Steered steered;
    uint8_t x, y, dir;
  } cases[] = {
      // Straight on along a corridor; at a corner the right turn, else the left.
      {{3, 1, kDirLeft, 13, 23}, 2, 1, kDirLeft},
      {{1, 1, kDirLeft, 13, 23}, 1, 2, kDirDown},
      {{1, 1, kDirUp, 13, 23}, 2, 1, kDirRight},
      // The blocked marker picked for a wall above: turned right, straight on again. For a wall
      // below: turned right from down, back the way it came.
      {{9, 5, kDirRight, 248, 18}, 10, 5, kDirRight},
      {{12, 5, kDirRight, 248, 18}, 11, 5, kDirLeft},
      // Restricted floor: a returning chaser picks it; any chaser crosses it straight on.
      {{12, 11, kDirLeft, 12, 0, false, true, true}, 12, 10, kDirUp},
      {{12, 9, kDirDown, 12, 0}, 12, 10, kDirDown},
      // Arrows lead into the door only for a chaser that follows them; on the door, no arrow and
      // no junction, it goes on up.
      {{13, 13, kDirLeft, 13, 23, true}, 13, 12, kDirUp},
      {{13, 12, kDirUp, 13, 23, true}, 13, 11, kDirUp},
      {{13, 13, kDirUp, 13, 23}, 14, 13, kDirRight},
      {{1, 14, kDirLeft, 13, 23}, 26, 14, kDirLeft},
  };
  for (const auto& c : cases) {
    const Steered& s = c.steered;
    Chaser chaser = s.chaser();
    step_chaser(chaser, board, s.frightened, s.returning);
    EXPECT_TRUE(chaser.x == c.x && chaser.y == c.y && chaser.dir == c.dir)
        << described(s) << " ended at " << int{chaser.x} << "," << int{chaser.y} << " dir "
        << int{chaser.dir};
  }
  EXPECT_EQ(random_state.a, 0u);
}

TEST(StepChaser, ReversesInADeadEndAndStaysWhenWalledIn) {
  TextLayout dead_end{"#####", "#   #", "#####"};
  Board board;
  compile_maze(board, dead_end.layout());
  Chaser chaser = Steered{3, 1, kDirRight, 13, 23}.chaser();
  step_chaser(chaser, board, false, false);
  EXPECT_TRUE(chaser.x == 2 && chaser.y == 1 && chaser.dir == kDirLeft);
  TextLayout cell{"###", "# #", "###"};
  compile_maze(board, cell.layout());
  chaser = Steered{1, 1, kDirUp, 13, 23}.chaser();
  step_chaser(chaser, board, false, false);
  EXPECT_TRUE(chaser.x == 1 && chaser.y == 1 && chaser.dir == kDirDown);
}

TEST_F(Steering, FrightenedChasersTakeTheRightTurnOfATTwiceAsOften) {
  // Up from the stem into (9, 5): wall ahead, both sides open.
  int right = 0;
  int left = 0;
  constexpr int kTries = 3000;
  for (int i = 0; i < kTries; ++i) {
    Chaser chaser = Steered{9, 5, kDirUp, 13, 23}.chaser();
    step_chaser(chaser, board, true, false);
    right += chaser.x == 10 && chaser.dir == kDirRight;
    left += chaser.x == 8 && chaser.dir == kDirLeft;
  }
  EXPECT_EQ(right + left, kTries);
  EXPECT_NEAR(static_cast<double>(right) / kTries, 2.0 / 3.0, 0.03);
}

TEST_F(Steering, TheGeneratorIsDrawnOnlyByFrightenedDecisionsAtJunctions) {
  Chaser chaser = Steered{3, 1, kDirLeft, 13, 23}.chaser();
  step_chaser(chaser, board, true, false);
  chaser = Steered{6, 5, kDirLeft, 13, 23}.chaser();
  step_chaser(chaser, board, false, false);
  step_chaser(chaser, board, true, true);
  EXPECT_EQ(random_state.a, 0u);
  chaser = Steered{6, 5, kDirLeft, 13, 23}.chaser();
  step_chaser(chaser, board, true, false);
  EXPECT_EQ(random_state.a, 13u);
}

}  // namespace
