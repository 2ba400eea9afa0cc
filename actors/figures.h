// The records of the figures on the board: the player and the chasers.
#pragma once

#include <cstdint>

constexpr int kChaserCount = 4;

// The fields every figure shares; placing and wall tests take an Actor and so serve all five.
struct Actor {
  uint8_t x;
  uint8_t y;
  uint8_t dir;
  uint8_t home_x;
  uint8_t home_y;
};

struct Player : Actor {
  // Direction of a refused turn in the high nibble, retries left in the low nibble.
  uint8_t queued_turn;
};

// Bit 0 of a chaser's flags: it obeys the arrow cells that lead out of the house.
constexpr uint8_t kFollowArrows = 0x01;

struct Chaser : Actor {
  uint8_t target_x;
  uint8_t target_y;
  uint8_t flags;
};

// Bit 7 of a house timer marks a chaser that was eaten and is returning home.
constexpr uint8_t kHouseReturning = 0x80;
