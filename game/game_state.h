// The record of a game in progress and the figure records inside it.
#pragma once

#include <cstdint>

constexpr int kBoardWidth = 28;
constexpr int kBoardHeight = 31;
constexpr int kBoardCells = kBoardWidth * kBoardHeight;
constexpr int kChaserCount = 4;

// Directions: the way a figure faces and moves.
constexpr uint8_t kDirUp = 0;
constexpr uint8_t kDirRight = 1;
constexpr uint8_t kDirDown = 2;
constexpr uint8_t kDirLeft = 3;

// The 31 x 28 cell bytes of a compiled maze, row after row: cell (x, y) is cells[y * 28 + x].
struct Board {
  uint8_t cells[kBoardCells];
};

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

struct GameState {
  uint32_t score;         // in tens of points
  uint32_t next_life_at;  // score in tens that must be exceeded for the next extra life
  uint16_t mode_timer;    // ticks counted while nobody is frightened; picks scatter or chase
  uint16_t pellets_left;
  uint16_t pellets_total;
  uint8_t bonus_count;  // bonus items placed in this round
  uint8_t round;        // round index, shown to the player as round + 1
  uint8_t lives;
  uint8_t fright_timer;  // ticks of the frightened phase left
  uint8_t tick;          // counts every tick of the run, wrapping; drives the animations
  Player player;
  Chaser chasers[kChaserCount];
  uint8_t house_timers[kChaserCount];
  Board board;
};

// The one game of the program, zero when it starts.
extern GameState game_state;

// The bonus item's value by round: pairs of (last round index, value in hundreds of points).
struct BonusRow {
  uint8_t last_round;
  uint8_t value;
};
constexpr int kBonusRows = 12;
extern const BonusRow bonus_table[kBonusRows];

// The row of bonus_table that a round index selects: the first whose last round index is at
// least the round, else the last row.
uint8_t bonus_row(uint8_t round);
