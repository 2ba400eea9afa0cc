// The rules the soak and the headless fuzzer check at every pause: real play passes them, and
// each broken rule is named.
#include <gtest/gtest.h>

#include <string>

#include "game/round_tick.h"
#include "game/title_screen.h"
#include "maze/cell_byte.h"
#include "play_checker.h"

namespace {

constexpr uint8_t kMostLives = 255;

bool names(const std::string& problem, const char* words) {
  return problem.find(words) != std::string::npos;
}

// A game at the first pause of its first round, as the checker has seen it.
class PlayCheckerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_game(game);
    round_setup(game);
    play_tick(game);
    ASSERT_EQ(checker.check(game), "");
  }

  // A tick of the play state up to its pause, where the state is checked.
  static void play_tick(GameState& state) {
    place_bonus_item(state);
    update_round(state, 0);
  }

  // Checks the game as it stands, after changes a test made, as a first pause.
  void seen_afresh() {
    checker = PlayChecker{};
    ASSERT_EQ(checker.check(game), "");
  }

  // The state at the next pause with nothing moved: only the tick count goes on.
  GameState next_pause() const {
    GameState next = game;
    ++next.tick;
    return next;
  }

  GameState game{};
  PlayChecker checker;
};

TEST_F(PlayCheckerTest, GamesPlayedWithoutKeysKeepEveryRule) {
  for (int pause = 0; pause < 5000 && game.lives != 0; ++pause) {
    count_tick(game);
    play_tick(game);
    ASSERT_EQ(checker.check(game), "") << "pause " << pause;
  }
  ASSERT_EQ(game.lives, 0);
  // The game-over screen, the title screen, and a new game.
  count_tick(game);
  reset_game(game);
  round_setup(game);
  play_tick(game);
  ASSERT_EQ(checker.check(game), "");
  for (int pause = 0; pause < 20; ++pause) {
    count_tick(game);
    play_tick(game);
    ASSERT_EQ(checker.check(game), "");
  }
}

TEST_F(PlayCheckerTest, TheNextRoundFollowsACompletedRound) {
  game.pellets_left = 0;
  for (uint8_t& cell : game.board.cells) {
    if ((cell & 0xCF) == (kFloor | kItemPellet) || (cell & 0xCF) == (kFloor | kItemPowerPellet)) {
      cell = kFloor;
    }
  }
  seen_afresh();
  count_tick(game);
  ++game.round;
  round_setup(game);
  play_tick(game);
  EXPECT_EQ(checker.check(game), "");
}

TEST_F(PlayCheckerTest, ExtraLivesRaiseTheLives) {
  GameState next = next_pause();
  next.next_life_at += 2000;
  next.lives += 2;
  EXPECT_EQ(checker.check(next), "");
}

TEST_F(PlayCheckerTest, LivesStayAt255WithMoreExtraLives) {
  game.lives = kMostLives;
  seen_afresh();
  GameState next = next_pause();
  next.next_life_at += 1000;
  EXPECT_EQ(checker.check(next), "");
}

TEST_F(PlayCheckerTest, LivesThatWrapAreNamed) {
  game.lives = 1;
  seen_afresh();
  GameState next = next_pause();
  next.lives = kMostLives;
  EXPECT_TRUE(names(checker.check(next), "lives changed"));
}

TEST_F(PlayCheckerTest, MorePelletsLeftThanTheTotalAreNamed) {
  GameState next = next_pause();
  next.pellets_left = next.pellets_total + 1;
  EXPECT_TRUE(names(checker.check(next), "more pellets left"));
}

TEST_F(PlayCheckerTest, PelletsLeftThatDisagreeWithTheBoardAreNamed) {
  GameState next = next_pause();
  --next.pellets_left;
  EXPECT_TRUE(names(checker.check(next), "pellets on the Board"));
}

TEST_F(PlayCheckerTest, APlayerOffTheBoardIsNamed) {
  GameState next = next_pause();
  next.player.x = kBoardWidth;
  EXPECT_TRUE(names(checker.check(next), "player off"));
}

TEST_F(PlayCheckerTest, AChaserOffTheBoardIsNamed) {
  GameState next = next_pause();
  next.chasers[3].y = 255;
  EXPECT_TRUE(names(checker.check(next), "chaser off"));
}

TEST_F(PlayCheckerTest, AFallingScoreIsNamed) {
  game.score = 10;
  seen_afresh();
  GameState next = next_pause();
  next.score = 9;
  EXPECT_TRUE(names(checker.check(next), "score fell"));
}

TEST_F(PlayCheckerTest, ABoardChangedWithNothingEatenIsNamed) {
  GameState next = next_pause();
  next.board.cells[0] = kWallBase + 1;
  EXPECT_TRUE(names(checker.check(next), "the Board changed"));
}

TEST_F(PlayCheckerTest, AnEatenPelletChangesTheBoard) {
  GameState next = next_pause();
  for (uint8_t& cell : next.board.cells) {
    if ((cell & 0xCF) == (kFloor | kItemPellet)) {
      cell &= ~kItemMask;
      break;
    }
  }
  --next.pellets_left;
  ++next.score;
  EXPECT_EQ(checker.check(next), "");
}

TEST_F(PlayCheckerTest, ATickCountThatStandsStillIsNamed) {
  EXPECT_TRUE(names(checker.check(game), "tick count"));
}

TEST_F(PlayCheckerTest, ANewGameThatKeepsTheOldScoreIsNamed) {
  game.lives = 0;
  game.score = 500;
  seen_afresh();
  GameState next = next_pause();
  next.lives = 3;
  EXPECT_TRUE(names(checker.check(next), "new game"));
}

TEST_F(PlayCheckerTest, HouseTimersOutOfRangeAreNamed) {
  GameState next = next_pause();
  next.house_timers[2] = 200;
  EXPECT_TRUE(names(checker.check(next), "house timer"));
}

}  // namespace
