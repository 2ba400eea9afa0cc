// The chasers' targets, and the house timers that hold, release and recall them.
#pragma once

#include <cstdint>

#include "game/game_state.h"

// Gives every chaser the target of the phase the mode timer is in: scatter corners below 70,
// chase targets from 70 to 269; at 270 the timer starts again and no target changes.
void update_targets(GameState& game);

// Runs each chaser's house timer: a returning chaser heads home and is put there once within
// three cells; a held chaser heads home and ignores arrows; a released one obeys arrows.
void update_house(GameState& game);

// Sets (on non-zero) or clears the follow-arrows flag, leaving the other flags alone.
void set_follow_arrows(Chaser& chaser, uint8_t on);

// Puts the actor back on its home cell.
void send_home(Actor& actor);

void set_target(Chaser& chaser, uint8_t x, uint8_t y);

// The absolute value; the one value without a positive counterpart gives the largest one.
int32_t abs_int(int32_t value);
