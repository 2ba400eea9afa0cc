// The rules of a round, tick by tick, without the console.
#include "game/round_tick.h"

#include <gtest/gtest.h>

#include "actors/random.h"
#include "maze/cell_byte.h"

namespace {

constexpr uint8_t kHomes[kChaserCount][2] = {{12, 13}, {15, 13}, {12, 15}, {15, 15}};

class RoundTickTest : public ::testing::Test {
 protected:
  // The first round of a game on layout 0.
  void SetUp() override {
    game = GameState{};
    random_state = RandomState{};
    game.lives = 3;
    game.next_life_at = 1000;
    round_setup(game);
  }

  uint8_t& cell(int x, int y) { return game.board.cells[y * kBoardWidth + x]; }

  void place(Actor& actor, uint8_t x, uint8_t y, uint8_t dir) {
    actor.x = x;
    actor.y = y;
    actor.dir = dir;
  }

  // The chasers held in the house, so that they meet nobody.
  void hold_chasers() {
    for (uint8_t& timer : game.house_timers) {
      timer = 100;
    }
  }

  // One tick with no key, the player walking from (x, y) onto the cell in its direction.
  void step_from(uint8_t x, uint8_t y, uint8_t dir) {
    place(game.player, x, y, dir);
    update_round(game, 0);
  }

  GameState game;
};

TEST_F(RoundTickTest, SetUpPlacesEveryFigureOnItsStartAndLeavesWhatLastsLonger) {
  game.score = 1234;
  game.fright_timer = 9;
  game.tick = 77;
  game.player.queued_turn = 0x24;
  place(game.player, 1, 1, kDirLeft);
  for (Chaser& chaser : game.chasers) {
    place(chaser, 1, 1, 9);
  }
  game.chasers[2].target_x = 200;
  game.chasers[2].flags = 0x81;
  game.mode_timer = 50;
  game.bonus_count = 2;
  round_setup(game);
  EXPECT_EQ(game.pellets_total, 297);
  EXPECT_EQ(game.pellets_left, 297);
  EXPECT_EQ(game.mode_timer, 0);
  EXPECT_EQ(game.bonus_count, 0);
  const Player& player = game.player;
  EXPECT_TRUE(player.x == 13 && player.y == 23 && player.home_x == 13 && player.home_y == 23);
  EXPECT_EQ(player.dir, kDirRight);
  for (int i = 0; i < kChaserCount; ++i) {
    const Chaser& chaser = game.chasers[i];
    EXPECT_TRUE(chaser.x == kHomes[i][0] && chaser.y == kHomes[i][1]) << "chaser " << i;
    EXPECT_TRUE(chaser.home_x == kHomes[i][0] && chaser.home_y == kHomes[i][1]) << "chaser " << i;
    EXPECT_EQ(chaser.dir, i);
    EXPECT_EQ(game.house_timers[i], 15 * (i + 1));
  }
  EXPECT_EQ(game.score, 1234u);
  EXPECT_EQ(game.fright_timer, 9);
  EXPECT_EQ(game.tick, 77);
  EXPECT_EQ(player.queued_turn, 0x24);
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
  // Each step: the pellets left, the start cell's byte before the placement (eaten or not),
  // the bonus count and the byte after.
  const struct {
    uint16_t left;
    uint8_t before;
    uint8_t count;
    uint8_t after;
  } steps[] = {
      {148, 0x10, 0, 0x10},
      {147, 0x10, 1, 0x43},
      // The second is due below an eighth, but waits while the first lies there.
      {36, 0x43, 1, 0x43},
      {37, kFloor, 1, kFloor},
      {36, kFloor, 2, 0x43},
      // Never a third.
      {1, kFloor, 2, kFloor},
  };
  for (const auto& step : steps) {
    game.pellets_left = step.left;
    cell(13, 23) = step.before;
    place_bonus_item(game);
    EXPECT_EQ(game.bonus_count, step.count) << step.left;
    EXPECT_EQ(cell(13, 23), step.after) << step.left;
  }
}

TEST_F(RoundTickTest, PelletsAndPowerPelletsScoreInTensAndPowerAddsFrightTime) {
  hold_chasers();
  step_from(2, 1, kDirLeft);  // the pellet at (1, 1)
  EXPECT_EQ(game.score, 1u);
  EXPECT_EQ(game.pellets_left, 296);
  EXPECT_EQ(game.fright_timer, 0);
  // The power pellet at (1, 3), eaten with 0, 30 and 200 ticks of fright left.
  const struct {
    uint8_t before;
    uint8_t after;
  } cases[] = {{0, 70}, {30, 100}, {200, 14}};
  for (const auto& c : cases) {
    const uint32_t score = game.score;
    const uint16_t left = game.pellets_left;
    game.fright_timer = c.before;
    cell(1, 3) = 0x42;
    step_from(1, 2, kDirDown);
    EXPECT_EQ(game.fright_timer, c.after);
    EXPECT_EQ(game.score, score + 5);
    EXPECT_EQ(game.pellets_left, left - 1);
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
    step_from(12, 23, kDirRight);
    EXPECT_EQ(game.score, c.tens) << "round " << int{c.round};
    EXPECT_EQ(game.pellets_left, game.pellets_total);
  }
}

TEST_F(RoundTickTest, FrightenedChasersMoveInOddTicksOnlyAndReturningOnesInEvery) {
  for (uint8_t& timer : game.house_timers) {
    timer = 0;  // free
  }
  place(game.chasers[0], 1, 5, kDirRight);
  game.house_timers[3] = kHouseReturning;
  place(game.chasers[3], 1, 29, kDirRight);
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
  game.fright_timer = 40;
  for (int i : {1, 3}) {
    game.house_timers[i] = 100;  // held chasers stay put in this tick's even fright time
    place(game.chasers[i], 1, 1, kDirUp);
  }
  step_from(2, 1, kDirLeft);
  ASSERT_EQ(game.player.x, 1);
  EXPECT_EQ(game.house_timers[1], kHouseReturning);
  EXPECT_EQ(game.house_timers[3], 99);
  EXPECT_EQ(game.score, 1u + 40u);  // the pellet at (1, 1) and the chaser
  EXPECT_EQ(game.lives, 3);
}

TEST_F(RoundTickTest, ContactWithoutFrightCostsALifeAndSendsEveryoneHome) {
  game.player.queued_turn = 0x23;
  game.mode_timer = 100;
  game.house_timers[2] = 0;
  place(game.chasers[2], 1, 2, kDirUp);  // below (1, 1), about to step up onto it
  step_from(2, 1, kDirLeft);
  EXPECT_EQ(game.lives, 2);
  EXPECT_TRUE(game.player.x == 13 && game.player.y == 23);
  EXPECT_EQ(game.player.dir, kDirLeft);
  EXPECT_EQ(game.player.queued_turn, 0x22);  // one retry used by this tick's step, no more
  for (int i = 0; i < kChaserCount; ++i) {
    EXPECT_EQ(game.house_timers[i], 15 * i + 1);
    EXPECT_TRUE(game.chasers[i].x == kHomes[i][0] && game.chasers[i].y == kHomes[i][1]) << i;
  }
  EXPECT_EQ(game.chasers[2].dir, kDirUp);
  EXPECT_EQ(game.mode_timer, 100);
  EXPECT_EQ(cell(1, 1), kFloor);  // the pellet eaten stays eaten
}

TEST_F(RoundTickTest, ExtraLivesForEveryTenThousandPointsPassedUpTo255) {
  hold_chasers();
  cell(1, 1) = kFloor;
  const struct {
    uint32_t score;
    uint8_t lives_before;
    uint8_t lives;
    uint32_t next_life_at;
  } steps[] = {{1000, 3, 3, 1000},
               {1001, 3, 4, 2000},
               {5500, 4, 8, 6000},
               {8500, 254, 255, 9000},
               {9001, 255, 255, 10000}};
  for (const auto& step : steps) {
    game.score = step.score;
    game.lives = step.lives_before;
    step_from(1, 1, kDirLeft);  // against the wall: nothing to eat
    EXPECT_EQ(game.lives, step.lives) << step.score;
    EXPECT_EQ(game.next_life_at, step.next_life_at) << step.score;
  }
}

TEST_F(RoundTickTest, BonusThenChaserInOneTickGivesTwoLives) {
  game.round = 24;
  round_setup(game);
  game.next_life_at = 2000;
  game.score = 1995;
  game.fright_timer = 41;
  hold_chasers();
  cell(13, 23) = 0x43;
  game.house_timers[0] = 0;
  place(game.chasers[0], 14, 23, kDirLeft);  // heading left onto the start cell
  step_from(12, 23, kDirRight);
  EXPECT_EQ(game.score, 3035u);
  EXPECT_EQ(game.lives, 5);
  EXPECT_EQ(game.next_life_at, 4000u);
}

TEST_F(RoundTickTest, TicksCountFrightDownOrModeUp) {
  game.fright_timer = 2;
  game.mode_timer = 10;
  game.tick = 254;
  const struct {
    uint8_t fright;
    uint16_t mode;
    uint8_t tick;
  } after[] = {{1, 10, 255}, {0, 10, 0}, {0, 11, 1}};
  for (const auto& expected : after) {
    count_tick(game);
    EXPECT_EQ(game.fright_timer, expected.fright);
    EXPECT_EQ(game.mode_timer, expected.mode);
    EXPECT_EQ(game.tick, expected.tick);
  }
}

}  // namespace
