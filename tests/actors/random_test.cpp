#include "actors/random.h"

#include <gtest/gtest.h>

#include "actors/chaser_steering.h"

namespace {

constexpr uint16_t kBlocked = 0x7FFF;
constexpr uint16_t kReverse = 0xFFFF;

class Generator : public ::testing::Test {
 protected:
  void SetUp() override { random_state = {0, 0}; }
};

TEST_F(Generator, FirstResultsFromTheStartState) {
  EXPECT_EQ(next_random(), 13);
  EXPECT_EQ(next_random(), 1092);
  EXPECT_EQ(next_random(), 25113);
  EXPECT_EQ(next_random(), 20008);
}

TEST_F(Generator, MixesBothWordsWithWrapAround) {
  random_state = {0xFFFFFFFFu, 0x80000001u};
  // A: (0xFFFFFFBA after 83 * A + 13 wraps) ^ 0x7FFF ^ 0x100; B: (0x80 after B << 7) + 0x1FF.
  EXPECT_EQ(next_random(), 0x0145);
  EXPECT_EQ(random_state.a, 0xFFFF8145u);
  EXPECT_EQ(random_state.b, 0x27Fu);
}

TEST_F(Generator, PickRandomDrawsAmongTheUnblockedInDirectionOrder) {
  // The list is up, down, left; the draws 13, 1092, 25113, 20008 give positions 1, 0, 0, 1.
  const uint16_t scores[4] = {40, kBlocked, kReverse, 7};
  EXPECT_EQ(pick_random(scores), kDirDown);
  EXPECT_EQ(pick_random(scores), kDirUp);
  EXPECT_EQ(pick_random(scores), kDirUp);
  EXPECT_EQ(pick_random(scores), kDirDown);
}

TEST_F(Generator, PickRandomWithNothingOpenGivesUpWithoutDrawing) {
  const uint16_t scores[4] = {kBlocked, kBlocked, kBlocked, kBlocked};
  EXPECT_EQ(pick_random(scores), kDirUp);
  EXPECT_EQ(random_state.a, 0u);
  EXPECT_EQ(random_state.b, 0u);
}

}  // namespace
