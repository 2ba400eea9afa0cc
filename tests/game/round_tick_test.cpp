// The rules of a round, tick by tick, without the console.
#include "game/round_tick.h"

#include <gtest/gtest.h>

#include "actors/random.h"
#include "maze/cell_byte.h"

namespace {

class RoundTickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game = GameState{};
    random_state = RandomState{};
    game.lives = 3;
    game.next_life_at = 1000;
  }

  uint8_t& cell(int x, int y) { return game.board.cells[y * kBoardWidth + x]; }

  // Walls all round the player so that it stands still, on (x, y) facing left.
  void pin_player(uint8_t x, uint8_t y) {
    game.player.x = x;
    game.player.y = y;
    game.player.dir = kDirLeft;
  }

  // The chasers far from the player and held in the house, so that they meet nobody.
  void hold_chasers() {
    for (int i = 0; i < kChaserCount; ++i) {
      game.house_timers[i] = 100;
    }
  }

  GameState game;
};

TEST_F(RoundTickTest, SetUpPlacesEveryFigureOnTheFirstMaze) {
  game.score = 1234;
  game.fright_timer = 9;
  game.tick = 77;
  game.player.queued_turn = 0x24;
  game.chasers[2].target_x = 200;
  game.chasers[2].flags = 0x81;
  game.mode_timer = 50;
  game.bonus_count = 2;
  round_setup(game);
  EXPECT_EQ(game.pellets_total, 297);
  EXPECT_EQ(game.pellets_left, 297);
  EXPECT_EQ(game.mode_timer, 0);
  EXPECT_EQ(game.bonus_count, 0);
  EXPECT_EQ(game.player.x, 13);
  EXPECT_EQ(game.player.y, 23);
  EXPECT_EQ(game.player.home_x, 13);
  EXPECT_EQ(game.player.home_y, 23);
  EXPECT_EQ(game.player.dir, kDirRight);
  const int homes[4][2] = {{12, 13}, {15, 13}, {12, 15}, {15, 15}};
  for (int i = 0; i < kChaserCount; ++i) {
    EXPECT_EQ(game.chasers[i].x, homes[i][0]);
    EXPECT_EQ(game.chasers[i].y, homes[i][1]);
    EXPECT_EQ(game.chasers[i].dir, i);
    EXPECT_EQ(game.house_timers[i], 15 * (i + 1));
  }
  // What lives longer than a round is left alone.
  EXPECT_EQ(game.score, 1234u);
  EXPECT_EQ(game.fright_timer, 9);
  EXPECT_EQ(game.tick, 77);
  EXPECT_EQ(game.player.queued_turn, 0x24);
  EXPECT_EQ(game.chasers[2].target_x, 200);
  EXPECT_EQ(game.chasers[2].flags, 0x81);
}

TEST_F(RoundTickTest, RoundIndexPicksTheMazeInTurn) {
  const struct {
    uint8_t round;
    uint16_t total;
  } cases[] = {{0, 297}, {1, 225}, {2, 244},  {3, 242},  {4, 238},
               {5, 297}, {9, 238}, {10, 297}, {255, 297}};
  for (const auto& c : cases) {
    game.round = c.round;
    round_setup(game);
    EXPECT_EQ(game.pellets_total, c.total) << "round " << int{c.round};
  }
}

TEST_F(RoundTickTest, BonusItemsAtHalfAndAtAnEighth) {
  round_setup(game);
  game.pellets_left = 148;
  place_bonus_item(game);
  EXPECT_EQ(game.bonus_count, 0);
  EXPECT_EQ(cell(13, 23), 0x10);

  game.pellets_left = 147;
  place_bonus_item(game);
  EXPECT_EQ(game.bonus_count, 1);
  EXPECT_EQ(cell(13, 23), 0x43);

  // The second is due below an eighth, but waits while the first lies there.
  game.pellets_left = 36;
  place_bonus_item(game);
  EXPECT_EQ(game.bonus_count, 1);
  cell(13, 23) = kFloor;  // eaten
  game.pellets_left = 37;
  place_bonus_item(game);
  EXPECT_EQ(game.bonus_count, 1);
  game.pellets_left = 36;
  place_bonus_item(game);
  EXPECT_EQ(game.bonus_count, 2);
  EXPECT_EQ(cell(13, 23), 0x43);

  // Never a third.
  cell(13, 23) = kFloor;
  game.pellets_left = 1;
  place_bonus_item(game);
  EXPECT_EQ(game.bonus_count, 2);
  EXPECT_EQ(cell(13, 23), kFloor);
}

TEST_F(RoundTickTest, EatingScoresInTens) {
  round_setup(game);
  hold_chasers();
  // The player at (2, 1) heading left eats the pellet at (1, 1).
  game.player.x = 2;
  game.player.y = 1;
  game.player.dir = kDirLeft;
  update_round(game, 0);
  EXPECT_EQ(game.score, 1u);
  EXPECT_EQ(game.pellets_left, 296);
  EXPECT_EQ(game.fright_timer, 0);

  // A power pellet at (1, 3): 50 points and 70 ticks of fright.
  game.player.x = 1;
  game.player.y = 2;
  game.player.dir = kDirDown;
  update_round(game, 0);
  EXPECT_EQ(game.score, 6u);
  EXPECT_EQ(game.pellets_left, 295);
  EXPECT_EQ(game.fright_timer, 70);
}

TEST_F(RoundTickTest, PowerPelletsAddToTheFrightTimeWrappingPast255) {
  const struct {
    uint8_t before;
    uint8_t after;
  } cases[] = {{0, 70}, {30, 100}, {200, 14}};
  for (const auto& c : cases) {
    round_setup(game);
    hold_chasers();
    game.fright_timer = c.before;
    cell(1, 3) = 0x42;
    game.player.x = 1;
    game.player.y = 2;
    game.player.dir = kDirDown;
    update_round(game, 0);
    EXPECT_EQ(game.fright_timer, c.after);
  }
}

TEST_F(RoundTickTest, BonusItemIsWorthTheValueOfTheRound) {
  const struct {
    uint8_t round;
    uint32_t tens;
  } cases[] = {{0, 10}, {1, 30}, {2, 50}, {3, 50}, {19, 800}, {20, 1000}, {24, 1000}, {255, 1000}};
  for (const auto& c : cases) {
    SetUp();
    game.round = c.round;
    round_setup(game);
    hold_chasers();
    game.next_life_at = 100000;
    cell(13, 23) = 0x43;
    game.player.x = 12;  // one cell left of the start, heading right onto it
    game.player.dir = kDirRight;
    update_round(game, 0);
    EXPECT_EQ(game.score, c.tens) << "round " << int{c.round};
    EXPECT_EQ(game.pellets_left, game.pellets_total);
  }
}

TEST_F(RoundTickTest, FrightenedChasersMoveInOddTicksOnly) {
  round_setup(game);
  for (int i = 0; i < kChaserCount; ++i) {
    game.house_timers[i] = 0;  // free
    game.chasers[i].x = 6;
    game.chasers[i].y = static_cast<uint8_t>(1 + i);
  }
  game.chasers[0] = game.chasers[1];
  game.chasers[0].y = 5;
  game.chasers[0].x = 1;
  game.chasers[0].dir = kDirRight;
  game.house_timers[3] = kHouseReturning;
  game.chasers[3].x = 1;
  game.chasers[3].y = 29;
  game.chasers[3].dir = kDirRight;
  game.chasers[3].home_x = 20;
  game.chasers[3].home_y = 20;

  game.fright_timer = 70;  // even: only the returning chaser moves
  update_round(game, 0);
  EXPECT_EQ(game.chasers[0].x, 1);
  EXPECT_EQ(game.chasers[3].x, 2);

  game.fright_timer = 69;  // odd: all move
  update_round(game, 0);
  EXPECT_EQ(game.chasers[0].x, 2);
  EXPECT_EQ(game.chasers[3].x, 3);
}

TEST_F(RoundTickTest, FrightenedContactEatsTheLowestNumberedChaser) {
  round_setup(game);
  pin_player(1, 1);
  game.fright_timer = 40;
  for (int i : {1, 3}) {
    game.house_timers[i] = 100;
    game.chasers[i].x = 1;
    game.chasers[i].y = 1;
  }
  // The player walks on, but the held chasers go where their house timers send them; put them
  // back on the player's cell after the moves by making the moves nothing: step from (2, 1).
  game.player.x = 2;
  game.player.dir = kDirLeft;
  update_round(game, 0);
  ASSERT_EQ(game.player.x, 1);
  EXPECT_EQ(game.house_timers[1], kHouseReturning);
  EXPECT_EQ(game.house_timers[3], 99);
  EXPECT_EQ(game.score, 1u + 40u);  // the pellet at (1, 1) and the chaser
  EXPECT_EQ(game.lives, 3);
}

TEST_F(RoundTickTest, ContactWithoutFrightCostsALifeAndSendsEveryoneHome) {
  round_setup(game);
  game.player.x = 2;
  game.player.y = 1;
  game.player.dir = kDirLeft;
  game.player.queued_turn = 0x23;
  game.mode_timer = 100;
  game.house_timers[2] = 0;
  game.chasers[2].x = 1;
  game.chasers[2].y = 2;  // below (1, 1), about to step up onto it
  game.chasers[2].dir = kDirUp;
  const uint8_t dirs[4] = {game.chasers[0].dir, game.chasers[1].dir, game.chasers[2].dir,
                           game.chasers[3].dir};
  update_round(game, 0);
  EXPECT_EQ(game.lives, 2);
  EXPECT_EQ(game.player.x, 13);
  EXPECT_EQ(game.player.y, 23);
  EXPECT_EQ(game.player.dir, kDirLeft);
  EXPECT_EQ(game.player.queued_turn, 0x22);  // one retry used by this tick's step, no more
  const int homes[4][2] = {{12, 13}, {15, 13}, {12, 15}, {15, 15}};
  for (int i = 0; i < kChaserCount; ++i) {
    EXPECT_EQ(game.house_timers[i], 15 * i + 1);
    EXPECT_EQ(game.chasers[i].x, homes[i][0]);
    EXPECT_EQ(game.chasers[i].y, homes[i][1]);
  }
  EXPECT_EQ(game.chasers[2].dir, dirs[2]);
  EXPECT_EQ(game.mode_timer, 100);
  EXPECT_EQ(cell(1, 1), kFloor);  // the pellet eaten stays eaten
}

TEST_F(RoundTickTest, ExtraLivesForEveryTenThousandPointsPassed) {
  round_setup(game);
  hold_chasers();
  pin_player(1, 1);
  cell(1, 1) = kFloor;

  game.score = 1000;
  update_round(game, 0);
  EXPECT_EQ(game.lives, 3);
  EXPECT_EQ(game.next_life_at, 1000u);

  game.score = 1001;
  update_round(game, 0);
  EXPECT_EQ(game.lives, 4);
  EXPECT_EQ(game.next_life_at, 2000u);

  game.score = 5500;
  update_round(game, 0);
  EXPECT_EQ(game.lives, 8);
  EXPECT_EQ(game.next_life_at, 6000u);

  game.lives = 254;
  game.score = 8500;
  update_round(game, 0);
  EXPECT_EQ(game.lives, 255);
  EXPECT_EQ(game.next_life_at, 9000u);
  game.score = 9001;
  update_round(game, 0);
  EXPECT_EQ(game.lives, 255);
}

TEST_F(RoundTickTest, BonusThenChaserInOneTickGivesTwoLives) {
  game.round = 24;
  round_setup(game);
  game.next_life_at = 2000;
  game.score = 1995;
  game.fright_timer = 41;
  hold_chasers();
  cell(13, 23) = 0x43;
  game.player.x = 12;
  game.player.dir = kDirRight;
  game.house_timers[0] = 0;
  game.chasers[0].x = 14;  // heading left onto the start cell
  game.chasers[0].y = 23;
  game.chasers[0].dir = kDirLeft;
  update_round(game, 0);
  EXPECT_EQ(game.score, 3035u);
  EXPECT_EQ(game.lives, 5);
  EXPECT_EQ(game.next_life_at, 4000u);
}

TEST_F(RoundTickTest, TicksCountFrightDownOrModeUp) {
  game.fright_timer = 2;
  game.mode_timer = 10;
  game.tick = 254;
  count_tick(game);
  EXPECT_EQ(game.fright_timer, 1);
  EXPECT_EQ(game.mode_timer, 10);
  EXPECT_EQ(game.tick, 255);
  count_tick(game);
  EXPECT_EQ(game.fright_timer, 0);
  EXPECT_EQ(game.tick, 0);
  count_tick(game);
  EXPECT_EQ(game.mode_timer, 11);
  EXPECT_EQ(game.tick, 1);
}

}  // namespace
