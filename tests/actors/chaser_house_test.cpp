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

TEST_F(Targets, ScatterCornersThenChaseTargetsByTheModeTimer) {
  // Chaser 0 stays at (15, 14); the player and chaser 3 stand where each case puts them.
  const struct {
    uint16_t mode;
    uint8_t player_x, player_y, player_dir;
    uint8_t chaser3_x, chaser3_y;
    uint8_t targets[kChaserCount][2];
  } cases[] = {
      {69, 13, 23, kDirLeft, 1, 1, {{26, 0}, {2, 0}, {27, 31}, {1, 31}}},
      // Chaser 2: twice the offset from chaser 0 to two cells ahead of the player, (11, 23),
      // wrapped into a byte.
      {70, 13, 23, kDirLeft, 1, 1, {{13, 23}, {9, 23}, {248, 18}, {13, 23}}},
      {269, 13, 23, kDirLeft, 1, 1, {{13, 23}, {9, 23}, {248, 18}, {13, 23}}},
      // Four cells ahead of the player wraps past the edges.
      {100, 3, 5, kDirLeft, 1, 1, {{3, 5}, {255, 5}, {228, 238}, {0, 31}}},
      {100, 3, 2, kDirUp, 1, 1, {{3, 2}, {3, 254}, {232, 228}, {0, 31}}},
      // Chaser 3 keeps away when closer than 8 cells, both axes added.
      {100, 10, 10, kDirUp, 13, 15, {{10, 10}, {10, 6}, {246, 244}, {10, 10}}},
      {100, 10, 10, kDirUp, 13, 14, {{10, 10}, {10, 6}, {246, 244}, {0, 31}}},
      {100, 10, 10, kDirUp, 6, 6, {{10, 10}, {10, 6}, {246, 244}, {10, 10}}},
  };
  for (const auto& c : cases) {
    SetUp();
    game.mode_timer = c.mode;
    place(game.player, c.player_x, c.player_y, c.player_dir);
    place(game.chasers[3], c.chaser3_x, c.chaser3_y, kDirUp);
    update_targets(game);
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", player at " << int{c.player_x} << ","
                                    << int{c.player_y});
    for (int i = 0; i < kChaserCount; ++i) {
      expect_target(i, c.targets[i][0], c.targets[i][1]);
    }
    EXPECT_EQ(game.mode_timer, c.mode);
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

TEST(UpdateHouse, EachStateOfTheHouseTimer) {
  // Chaser 0 with its home at (12, 13), at (20, 5) unless a case says otherwise, its target at
  // (7, 8) and the flags' other bits set.
  const struct {
    uint8_t timer;
    uint8_t flags;
    uint8_t x, y;
    uint8_t timer_after;
    uint8_t flags_after;
    uint8_t target_x, target_y;
    uint8_t x_after, y_after;
  } cases[] = {
      // Held: home is the target, arrows are not followed.
      {127, 0xF0, 20, 5, 126, 0xF0, 12, 13, 20, 5},
      {11, 0xF1, 20, 5, 10, 0xF0, 12, 13, 20, 5},
      // Released: arrows are followed towards the target of the phase.
      {10, 0xF0, 20, 5, 9, 0xF1, 7, 8, 20, 5},
      {2, 0xF0, 20, 5, 1, 0xF1, 7, 8, 20, 5},
      // Free: flag and target are left alone.
      {1, 0xF0, 20, 5, 0, 0xF0, 7, 8, 20, 5},
      {0, 0xF1, 20, 5, 0, 0xF1, 7, 8, 20, 5},
      // Returning: put home within three cells in both axes, else heading home.
      {128, 0xF1, 15, 10, 15, 0xF0, 12, 13, 12, 13},
      {128, 0xF1, 9, 17, 128, 0xF0, 12, 13, 9, 17},
      {128, 0xF0, 16, 13, 128, 0xF0, 12, 13, 16, 13},
  };
  for (const auto& c : cases) {
    GameState game{};
    Chaser& chaser = game.chasers[0];
    chaser.home_x = 12;
    chaser.home_y = 13;
    chaser.x = c.x;
    chaser.y = c.y;
    chaser.target_x = 7;
    chaser.target_y = 8;
    chaser.flags = c.flags;
    game.house_timers[0] = c.timer;
    update_house(game);
    SCOPED_TRACE(testing::Message()
                 << "timer " << int{c.timer} << " at " << int{c.x} << "," << int{c.y});
    EXPECT_EQ(game.house_timers[0], c.timer_after);
    EXPECT_EQ(chaser.flags, c.flags_after);
    EXPECT_EQ(chaser.target_x, c.target_x);
    EXPECT_EQ(chaser.target_y, c.target_y);
    EXPECT_EQ(chaser.x, c.x_after);
    EXPECT_EQ(chaser.y, c.y_after);
  }
}

TEST_F(Targets, AHeldChasersTargetIsHomeEvenInTheChasePhase) {
  game.mode_timer = 100;
  game.house_timers[0] = 20;
  game.chasers[0].home_x = 12;
  game.chasers[0].home_y = 13;
  update_targets(game);
  update_house(game);
  expect_target(0, 12, 13);
}

TEST(SmallOperations, FollowArrowsSendHomeAndAbsInt) {
  Chaser chaser{};
  chaser.flags = 0xA4;
  set_follow_arrows(chaser, 2);
  EXPECT_EQ(chaser.flags, 0xA5);
  set_follow_arrows(chaser, 0);
  EXPECT_EQ(chaser.flags, 0xA4);
  // Only the position goes home.
  Player player{{3, 4, kDirLeft, 13, 23}, 0x13};
  send_home(player);
  EXPECT_EQ(player.x, 13);
  EXPECT_EQ(player.y, 23);
  EXPECT_EQ(player.dir, kDirLeft);
  EXPECT_EQ(player.queued_turn, 0x13);
  EXPECT_EQ(abs_int(-5), 5);
  EXPECT_EQ(abs_int(5), 5);
  EXPECT_EQ(abs_int(INT32_MAX), INT32_MAX);
  EXPECT_EQ(abs_int(INT32_MIN), INT32_MAX);
}

}  // namespace
