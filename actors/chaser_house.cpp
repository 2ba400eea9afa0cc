#include "actors/chaser_house.h"

#include "maze/board_queries.h"

namespace {

// Ticks from round set-up in the scatter phase, and the tick count at which the cycle restarts.
constexpr uint16_t kScatterTicks = 70;
constexpr uint16_t kModeCycle = 270;

// The house timer values that bound the held and released states.
constexpr uint8_t kFirstHeld = 11;
constexpr uint8_t kFirstReleased = 2;
// A returning chaser is put home when this close in both axes, and is then held this long.
constexpr int32_t kArrivalReach = 3;
constexpr uint8_t kHeldAfterReturn = 15;

struct Corner {
  uint8_t x;
  uint8_t y;
};
// Row 31 lies just below the Board: a target only, never reached.
constexpr Corner kScatterCorners[kChaserCount] = {{26, 0}, {2, 0}, {27, 31}, {1, 31}};

// Chaser 3 keeps to its corner while closer than this to the player, axes summed.
constexpr int32_t kShyDistance = 8;
constexpr Corner kShyTarget = {0, 31};

void set_chase_targets(GameState& game) {
  const Player& player = game.player;
  const int dx = dir_dx(player.dir);
  const int dy = dir_dy(player.dir);
  Chaser* chasers = game.chasers;

  set_target(chasers[0], player.x, player.y);
  set_target(chasers[1], static_cast<uint8_t>(player.x + 4 * dx),
             static_cast<uint8_t>(player.y + 4 * dy));
  // Twice the offset from chaser 0 to the cell two ahead of the player, taken as a position.
  set_target(chasers[2], static_cast<uint8_t>(2 * (player.x + 2 * dx - chasers[0].x)),
             static_cast<uint8_t>(2 * (player.y + 2 * dy - chasers[0].y)));
  const int32_t distance = abs_int(chasers[3].x - player.x) + abs_int(chasers[3].y - player.y);
  if (distance >= kShyDistance) {
    set_target(chasers[3], player.x, player.y);
  } else {
    set_target(chasers[3], kShyTarget.x, kShyTarget.y);
  }
}

}  // namespace

void update_targets(GameState& game) {
  if (game.mode_timer < kScatterTicks) {
    for (int i = 0; i < kChaserCount; ++i) {
      set_target(game.chasers[i], kScatterCorners[i].x, kScatterCorners[i].y);
    }
  } else if (game.mode_timer >= kModeCycle) {
    game.mode_timer = 0;
  } else {
    set_chase_targets(game);
  }
}

void update_house(GameState& game) {
  for (int i = 0; i < kChaserCount; ++i) {
    Chaser& chaser = game.chasers[i];
    uint8_t& timer = game.house_timers[i];
    if (timer & kHouseReturning) {
      set_follow_arrows(chaser, 0);
      set_target(chaser, chaser.home_x, chaser.home_y);
      if (abs_int(chaser.home_x - chaser.x) <= kArrivalReach &&
          abs_int(chaser.home_y - chaser.y) <= kArrivalReach) {
        timer = kHeldAfterReturn;
        send_home(chaser);
      }
    } else if (timer >= kFirstHeld) {
      set_follow_arrows(chaser, 0);
      set_target(chaser, chaser.home_x, chaser.home_y);
      --timer;
    } else if (timer >= kFirstReleased) {
      set_follow_arrows(chaser, 1);
      --timer;
    } else if (timer == 1) {
      timer = 0;
    }
  }
}

void set_follow_arrows(Chaser& chaser, uint8_t on) {
  if (on) {
    chaser.flags |= kFollowArrows;
  } else {
    chaser.flags &= static_cast<uint8_t>(~kFollowArrows);
  }
}

void send_home(Actor& actor) {
  actor.x = actor.home_x;
  actor.y = actor.home_y;
}

void set_target(Chaser& chaser, uint8_t x, uint8_t y) {
  chaser.target_x = x;
  chaser.target_y = y;
}

int32_t abs_int(int32_t value) {
  if (value == INT32_MIN) {
    return INT32_MAX;
  }
  return value < 0 ? -value : value;
}
