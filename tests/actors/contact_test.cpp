#include "actors/contact.h"

#include <gtest/gtest.h>

namespace {

struct Placed {
  uint8_t x, y, dir;
};

TEST(FindContact, SameCellOrJustSwappedTheLowestIndexFirst) {
  // The player, then chasers 1 and 3; chasers 0 and 2 stay far away.
  constexpr Placed kFar = {1, 20, kDirDown};
  const struct {
    Placed player;
    Placed chaser1;
    Placed chaser3;
    uint8_t contact;
  } cases[] = {
      {{10, 5, kDirRight}, kFar, kFar, 255},
      // The same cell, whatever the directions.
      {{10, 5, kDirRight}, {10, 5, kDirUp}, kFar, 1},
      {{10, 5, kDirRight}, {10, 5, kDirLeft}, kFar, 1},
      {{10, 5, kDirRight}, kFar, {10, 5, kDirDown}, 3},
      {{10, 5, kDirRight}, {10, 5, kDirRight}, {10, 5, kDirUp}, 1},
      // Right behind the chaser, heading away from it: they have just swapped cells.
      {{10, 5, kDirRight}, {9, 5, kDirLeft}, kFar, 1},
      {{10, 5, kDirLeft}, {9, 5, kDirRight}, kFar, 255},
      {{10, 5, kDirRight}, {9, 5, kDirRight}, kFar, 255},
      {{10, 5, kDirDown}, {10, 4, kDirUp}, kFar, 1},
      {{10, 5, kDirRight}, {10, 4, kDirUp}, kFar, 255},
      // Behind wraps as a byte past the edge.
      {{255, 5, kDirLeft}, {0, 5, kDirRight}, kFar, 1},
  };
  for (const auto& c : cases) {
    GameState game{};
    game.chasers[0] = game.chasers[2] = {{1, 25, kDirDown, 0, 0}, 0, 0, 0};
    // Held or returning, every chaser counts alike.
    game.house_timers[1] = kHouseReturning;
    game.house_timers[3] = 100;
    const Placed* placed[] = {&c.player, &c.chaser1, &c.chaser3};
    Actor* actors[] = {&game.player, &game.chasers[1], &game.chasers[3]};
    for (int i = 0; i < 3; ++i) {
      actors[i]->x = placed[i]->x;
      actors[i]->y = placed[i]->y;
      actors[i]->dir = placed[i]->dir;
    }
    EXPECT_EQ(find_contact(game), c.contact)
        << "player " << int{c.player.x} << "," << int{c.player.y} << " dir " << int{c.player.dir}
        << ", chaser 1 " << int{c.chaser1.x} << "," << int{c.chaser1.y} << " dir "
        << int{c.chaser1.dir};
  }
}

}  // namespace
