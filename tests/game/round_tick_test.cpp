// The order of the rules within a tick of a round, without the console.
#include "game/round_tick.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "maze/cell_byte.h"

namespace {

// The first round on layout 0 with the score, lives and fright time given, every chaser held in
// the house, the player about to step left from (2, 1) onto (1, 1).
GameState first_round(uint32_t score, uint8_t lives, uint8_t fright) {
  GameState game{};
  round_setup(game);
  std::tie(game.score, game.next_life_at, game.lives, game.fright_timer) =
      std::tuple(score, 1000, lives, fright);
  std::memset(game.house_timers, 100, sizeof game.house_timers);
  std::tie(game.player.x, game.player.y, game.player.dir) = std::tuple(2, 1, kDirLeft);
  return game;
}

TEST(RoundTickTest, WhatTheStepEatsIsScoredThenOneContactThenTheExtraLives) {
  // The bonus item of round 25 and two frightened chasers: the item, the lowest chaser, two lives.
  GameState game = first_round(995, kMostLives - 1, 40);
  game.round = 24;
  game.board.cells[kBoardWidth + 1] = kFloor | kItemBonus;
  game.chasers[1].x = game.chasers[1].y = game.chasers[3].x = game.chasers[3].y = 1;  // held
  update_round(game, 0);
  EXPECT_EQ(std::tie(game.score, game.next_life_at, game.lives, game.house_timers[1],
                     game.house_timers[3]),
            std::make_tuple(2035, 3000, kMostLives, kHouseReturning, 99));

  // Unfrightened, a chaser costs a life and sends everyone home, the player onto the bonus item,
  // which stays uneaten and keeps the second waiting; 10,000 points reached give no life.
  game = first_round(999, 3, 0);
  uint8_t& start_cell = game.board.cells[23 * kBoardWidth + 13] = kFloor | kItemBonus;
  game.house_timers[2] = 0;  // out, and about to step up onto (1, 1)
  std::tie(game.chasers[2].x, game.chasers[2].y, game.chasers[2].dir) = std::tuple(1, 2, kDirUp);
  update_round(game, 0);
  EXPECT_EQ(std::tie(game.score, game.lives, game.next_life_at, game.player.x, game.player.y),
            std::make_tuple(1000, 2, 1000, 13, 23));
  EXPECT_EQ(game.board.cells[kBoardWidth + 1], kFloor);  // the pellet eaten stays eaten
  for (int i = 0; i < kChaserCount; ++i) {
    const Chaser& c = game.chasers[i];
    EXPECT_EQ(std::tie(c.x, c.y, game.house_timers[i]), std::tuple(c.home_x, c.home_y, 15 * i + 1))
        << "chaser " << i;
  }
  std::tie(game.bonus_count, game.pellets_left) = std::tuple(1, 1);
  place_bonus_item(game);
  EXPECT_EQ(std::tie(game.bonus_count, start_cell), std::make_tuple(1, kFloor | kItemBonus));
}

}  // namespace
