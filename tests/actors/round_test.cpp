#include <gtest/gtest.h>

#include "actors/chaser_house.h"
#include "actors/random.h"
#include "game/round_tick.h"

namespace {

class RoundOnLayout0 : public ::testing::Test {
 protected:
  void SetUp() override {
    game = GameState{};
    random_state = {0, 0};
    round_setup(game);
  }
  void tick() {
    place_bonus_item(game);
    update_round(game, 0);
    count_tick(game);
  }

  GameState game;
};

TEST_F(RoundOnLayout0, Chaser0LeavesTheHouseByTheArrows) {
  const uint8_t path[11][2] = {{13, 13}, {14, 13}, {15, 13}, {16, 13}, {16, 14}, {15, 14},
                               {14, 14}, {14, 13}, {14, 12}, {14, 11}, {15, 11}};
  for (int t = 0; t < 11; ++t) {
    tick();
    EXPECT_EQ(game.chasers[0].x, path[t][0]) << "tick " << t + 1;
    EXPECT_EQ(game.chasers[0].y, path[t][1]) << "tick " << t + 1;
  }
  EXPECT_EQ(game.chasers[0].dir, kDirRight);
}

TEST_F(RoundOnLayout0, Chaser1EntersTheDoorInTick23) {
  for (int t = 1; t <= 22; ++t) {
    tick();
    EXPECT_GT(game.chasers[1].y, 12) << "tick " << t;
  }
  tick();
  EXPECT_EQ(game.chasers[1].x, 13);
  EXPECT_EQ(game.chasers[1].y, 12);
}

TEST_F(RoundOnLayout0, AChaserHeldWithoutArrowsWhenItsTimerIsSetTo1StaysInTheHouse) {
  for (int t = 0; t < 3; ++t) {
    tick();
  }
  // A life lost while chaser 0 is still held: its flag is clear.
  for (uint8_t i = 0; i < kChaserCount; ++i) {
    game.house_timers[i] = static_cast<uint8_t>(15 * i + 1);
    send_home(game.chasers[i]);
  }
  bool chaser1_left = false;
  for (int t = 0; t < 300; ++t) {
    tick();
    chaser1_left = chaser1_left || game.chasers[1].y < 12;
    const Chaser& chaser = game.chasers[0];
    ASSERT_TRUE(chaser.x >= 11 && chaser.x <= 16 && chaser.y >= 13 && chaser.y <= 15)
        << "tick " << t << " at " << int(chaser.x) << "," << int(chaser.y);
  }
  EXPECT_EQ(game.chasers[0].flags & kFollowArrows, 0);
  // Chaser 1, released, has left.
  EXPECT_TRUE(chaser1_left);
}

}  // namespace
