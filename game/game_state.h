// The record of a game in progress. Every layer that acts on the game takes it by reference.
#pragma once

#include <cstdint>

#include "actors/figures.h"
#include "maze/board.h"

// Lives stop counting here, and the lives line says so.
constexpr uint8_t kMostLives = 255;

struct GameState {
  uint32_t score;         // in tens of points
  uint32_t next_life_at;  // score in tens that must be exceeded for the next extra life
  uint16_t mode_timer;    // ticks counted while nobody is frightened; picks scatter or chase
  uint16_t pellets_left;
  uint16_t pellets_total;
  uint8_t bonus_count;   // bonus items placed in this round
  uint8_t round;         // round index, shown to the player as round + 1
  uint8_t lives;         // at most kMostLives
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
