#include "actors/chaser_house.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

class Targets : public ::testing::Test {
 protected:
  void SetUp() override {
    game = GameState{};
    place(game.player, 13, 23, kDirLeft);
    place(game.chasers[0], 15, 14, kDirUp);
    place(game.chasers[1], 12, 13, kDirUp);
    place(game.chasers[2], 12, 15, kDirUp);
    place(game.chasers[3], 1, 1, kDirUp);
  }

  static void place(Actor& actor, uint8_t x, uint8_t y, uint8_t dir) {
    actor.x = x;
    actor.y = y;
    actor.dir = dir;
  }

  void expect_target(int chaser, uint8_t x, uint8_t y) {
    EXPECT_EQ(game.chasers[chaser].target_x, x) << "chaser " << chaser;
    EXPECT_EQ(game.chasers[chaser].target_y, y) << "chaser " << chaser;
  }

  GameState game;
};

TEST_F(Targets, ScatterCornersBelow70) {
  game.mode_timer = 69;
  update_targets(game);
  expect_target(0, 26, 0);
  expect_target(1, 2, 0);
  expect_target(2, 27, 31);
  expect_target(3, 1, 31);
  EXPECT_EQ(game.mode_timer, 69);
}

TEST_F(Targets, ChaseTargetsFrom70To269) {
  for (const uint16_t timer : {70, 269}) {
    game.mode_timer = timer;
    update_targets(game);
    expect_target(0, 13, 23);
    expect_target(1, 9, 23);
    // Twice the offset from chaser 0 at (15, 14) to (11, 23), wrapped into a byte.
    expect_target(2, 248, 18);
    expect_target(3, 13, 23);
    EXPECT_EQ(game.mode_timer, timer);
  }
}

TEST_F(Targets, At270TheTimerRestartsAndTargetsStay) {
  game.mode_timer = 70;
  update_targets(game);
  game.player.x = 20;
  game.mode_timer = 270;
  update_targets(game);
  EXPECT_EQ(game.mode_timer, 0);
  expect_target(0, 13, 23);
  expect_target(2, 248, 18);
}

TEST_F(Targets, AheadOfThePlayerWrapsPastTheEdges) {
  game.mode_timer = 100;
  place(game.player, 3, 5, kDirLeft);
  update_targets(game);
  expect_target(1, 255, 5);
  place(game.player, 3, 2, kDirUp);
  update_targets(game);
  expect_target(1, 3, 254);
}

TEST_F(Targets, Chaser3KeepsAwayWhenCloserThan8) {
  game.mode_timer = 100;
  place(game.player, 10, 10, kDirUp);
  place(game.chasers[3], 13, 15, kDirUp);
  update_targets(game);
  expect_target(3, 10, 10);
  place(game.chasers[3], 13, 14, kDirUp);
  update_targets(game);
  expect_target(3, 0, 31);
  place(game.chasers[3], 6, 6, kDirUp);
  update_targets(game);
  expect_target(3, 10, 10);
}

class House : public ::testing::Test {
 protected:
  void SetUp() override {
    game = GameState{};
    for (Chaser& chaser : game.chasers) {
      chaser.home_x = 12;
      chaser.home_y = 13;
      chaser.x = 20;
      chaser.y = 5;
      chaser.target_x = 7;
      chaser.target_y = 8;
      chaser.flags = 0xF0;
    }
  }
  GameState game;
};

TEST_F(House, HeldChasersHeadHomeWithoutArrows) {
  game.house_timers[0] = 127;
  game.house_timers[1] = 11;
  game.chasers[1].flags = 0xF1;
  update_house(game);
  EXPECT_EQ(game.house_timers[0], 126);
  EXPECT_EQ(game.house_timers[1], 10);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(game.chasers[i].flags, 0xF0);
    EXPECT_EQ(game.chasers[i].target_x, 12);
    EXPECT_EQ(game.chasers[i].target_y, 13);
    EXPECT_EQ(game.chasers[i].x, 20);
  }
}

TEST_F(House, ReleasedChasersFollowArrowsToTheirTarget) {
  game.house_timers[2] = 10;
  game.house_timers[3] = 2;
  update_house(game);
  EXPECT_EQ(game.house_timers[2], 9);
  EXPECT_EQ(game.house_timers[3], 1);
  for (int i = 2; i < 4; ++i) {
    EXPECT_EQ(game.chasers[i].flags, 0xF1);
    EXPECT_EQ(game.chasers[i].target_x, 7);
    EXPECT_EQ(game.chasers[i].target_y, 8);
  }
}

TEST_F(House, FreeChasersAreLeftAlone) {
  game.house_timers[0] = 1;
  game.chasers[1].flags = 0xF1;
  update_house(game);
  EXPECT_EQ(game.house_timers[0], 0);
  EXPECT_EQ(game.house_timers[1], 0);
  EXPECT_EQ(game.chasers[0].flags, 0xF0);
  EXPECT_EQ(game.chasers[1].flags, 0xF1);
  EXPECT_EQ(game.chasers[0].target_x, 7);
  EXPECT_EQ(game.chasers[1].target_x, 7);
}

TEST_F(House, AReturningChaserIsPutHomeWithinThreeCellsInBothAxes) {
  game.chasers[0].flags = 0xF1;
  game.house_timers[0] = 128;
  game.chasers[0].x = 15;
  game.chasers[0].y = 10;
  game.house_timers[1] = 128;
  game.chasers[1].x = 9;
  game.chasers[1].y = 17;
  game.house_timers[2] = 128;
  game.chasers[2].x = 16;
  game.chasers[2].y = 13;
  update_house(game);
  EXPECT_EQ(game.house_timers[0], 15);
  EXPECT_EQ(game.chasers[0].x, 12);
  EXPECT_EQ(game.chasers[0].y, 13);
  EXPECT_EQ(game.chasers[0].flags, 0xF0);
  EXPECT_EQ(game.house_timers[1], 128);
  EXPECT_EQ(game.chasers[1].x, 9);
  EXPECT_EQ(game.house_timers[2], 128);
  EXPECT_EQ(game.chasers[2].x, 16);
  EXPECT_EQ(game.chasers[2].target_x, 12);
  EXPECT_EQ(game.chasers[2].target_y, 13);
}

TEST_F(House, AHeldChasersTargetIsHomeEvenInTheChasePhase) {
  game.mode_timer = 100;
  game.house_timers[0] = 20;
  update_targets(game);
  update_house(game);
  EXPECT_EQ(game.chasers[0].target_x, 12);
  EXPECT_EQ(game.chasers[0].target_y, 13);
}

TEST(SmallOperations, FollowArrowsFlagKeepsTheOtherBits) {
  Chaser chaser{};
  chaser.flags = 0xA4;
  set_follow_arrows(chaser, 2);
  EXPECT_EQ(chaser.flags, 0xA5);
  set_follow_arrows(chaser, 0);
  EXPECT_EQ(chaser.flags, 0xA4);
}

TEST(SmallOperations, SendHomeMovesOnlyThePosition) {
  Player player{};
  player.x = 3;
  player.y = 4;
  player.dir = kDirLeft;
  player.home_x = 13;
  player.home_y = 23;
  player.queued_turn = 0x13;
  send_home(player);
  EXPECT_EQ(player.x, 13);
  EXPECT_EQ(player.y, 23);
  EXPECT_EQ(player.dir, kDirLeft);
  EXPECT_EQ(player.queued_turn, 0x13);
}

TEST(SmallOperations, AbsInt) {
  EXPECT_EQ(abs_int(-5), 5);
  EXPECT_EQ(abs_int(5), 5);
  EXPECT_EQ(abs_int(0), 0);
  EXPECT_EQ(abs_int(INT32_MAX), INT32_MAX);
  EXPECT_EQ(abs_int(INT32_MIN), INT32_MAX);
}

}  // namespace
