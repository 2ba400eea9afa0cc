#include "actors/contact.h"

#include <gtest/gtest.h>

namespace {

class FindContact : public ::testing::Test {
 protected:
  void SetUp() override {
    game = GameState{};
    // Chasers far away, in a column of their own.
    for (uint8_t i = 0; i < kChaserCount; ++i) {
      place(game.chasers[i], 1, static_cast<uint8_t>(1 + 3 * i), kDirDown);
    }
    place(game.player, 10, 5, kDirRight);
  }

  static void place(Actor& actor, uint8_t x, uint8_t y, uint8_t dir) {
    actor.x = x;
    actor.y = y;
    actor.dir = dir;
  }

  GameState game;
};

TEST_F(FindContact, NoneWhenApart) {
  EXPECT_EQ(find_contact(game), 255);
}

TEST_F(FindContact, SameCellWhateverTheDirections) {
  for (uint8_t dir = 0; dir < 4; ++dir) {
    place(game.chasers[2], 10, 5, dir);
    EXPECT_EQ(find_contact(game), 2);
  }
}

TEST_F(FindContact, JustSwappedCells) {
  place(game.chasers[0], 9, 5, kDirLeft);
  EXPECT_EQ(find_contact(game), 0);
  place(game.player, 10, 5, kDirLeft);
  place(game.chasers[0], 9, 5, kDirRight);
  EXPECT_EQ(find_contact(game), 255);
  place(game.player, 10, 5, kDirRight);
  EXPECT_EQ(find_contact(game), 255);
  place(game.player, 10, 5, kDirDown);
  place(game.chasers[0], 10, 4, kDirUp);
  EXPECT_EQ(find_contact(game), 0);
  place(game.player, 10, 5, kDirRight);
  EXPECT_EQ(find_contact(game), 255);
}

TEST_F(FindContact, TheLowestIndexWins) {
  place(game.chasers[3], 10, 5, kDirUp);
  place(game.chasers[1], 10, 5, kDirUp);
  EXPECT_EQ(find_contact(game), 1);
}

TEST_F(FindContact, ReturningChasersCountAlike) {
  game.house_timers[1] = kHouseReturning;
  place(game.chasers[1], 10, 5, kDirUp);
  EXPECT_EQ(find_contact(game), 1);
}

TEST_F(FindContact, BehindWrapsAsABytePastTheEdge) {
  place(game.player, 255, 5, kDirLeft);
  place(game.chasers[0], 0, 5, kDirRight);
  EXPECT_EQ(find_contact(game), 0);
}

}  // namespace
