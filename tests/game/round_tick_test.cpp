// The order of the rules within a tick of a round, without the console.
#include "game/round_tick.h"

#include <gtest/gtest.h>

#include <cstring>

#include "maze/cell_byte.h"

namespace {

void put(Actor& actor, uint8_t x, uint8_t y, uint8_t dir) {
  actor.x = x;
  actor.y = y;
  actor.dir = dir;
}

// The first round on layout 0 with the score, lives and fright time given, every chaser held in
// the house, the player about to step left from (2, 1) onto (1, 1).
GameState first_round(uint32_t score, uint8_t lives, uint8_t fright) {
  GameState game{};
  round_setup(game);
  game.score = score;
  game.next_life_at = 1000;
  game.lives = lives;
  game.fright_timer = fright;
  std::memset(game.house_timers, 100, sizeof game.house_timers);
  put(game.player, 2, 1, kDirLeft);
  return game;
}

TEST(RoundTickTest, WhatTheStepEatsIsScoredThenOneContactThenTheExtraLives) {
  // The bonus item of round 25 and two frightened chasers: the item, the lowest chaser, two lives.
  GameState game = first_round(995, 254, 40);
  game.round = 24;
  game.board.cells[kBoardWidth + 1] = kFloor | kItemBonus;
  put(game.chasers[1], 1, 1, kDirUp);  // held chasers stay put in even fright time
  put(game.chasers[3], 1, 1, kDirUp);
  update_round(game, 0);
  EXPECT_TRUE(game.score == 2035 && game.next_life_at == 3000 && game.lives == 255);  // at most
  EXPECT_TRUE(game.house_timers[1] == kHouseReturning && game.house_timers[3] == 99);

  // Unfrightened, a chaser costs a life and sends everyone home, the player onto the bonus item,
  // which stays uneaten and keeps the second waiting; 10,000 points reached give no life.
  game = first_round(999, 3, 0);
  uint8_t& start_cell = game.board.cells[23 * kBoardWidth + 13];
  start_cell = kFloor | kItemBonus;
  game.house_timers[2] = 0;
  put(game.chasers[2], 1, 2, kDirUp);  // about to step up onto (1, 1)
  update_round(game, 0);
  EXPECT_TRUE(game.score == 1000 && game.lives == 2 && game.next_life_at == 1000);
  EXPECT_TRUE(game.player.x == 13 && game.player.y == 23 && start_cell == (kFloor | kItemBonus));
  EXPECT_EQ(game.board.cells[kBoardWidth + 1], kFloor);  // the pellet eaten stays eaten
  for (int i = 0; i < kChaserCount; ++i) {
    const Chaser& chaser = game.chasers[i];
    EXPECT_TRUE(chaser.x == chaser.home_x && chaser.y == chaser.home_y) << i;
    EXPECT_EQ(game.house_timers[i], 15 * i + 1);
  }
  game.bonus_count = 1;
  game.pellets_left = 1;
  place_bonus_item(game);
  EXPECT_EQ(game.bonus_count, 1);
}

}  // namespace
