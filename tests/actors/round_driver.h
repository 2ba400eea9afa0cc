// Drives the figures the way a round does: the round set-up and the moving part of every tick.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "maze/layouts.h"

// Compiles the layout into board, counts its pellets, and puts the player (facing right) and
// the chasers (chaser i facing Direction i) on their start cells with house timers 15, 30, 45
// and 60. Score, lives, fright timer, tick, queued turn, targets and flags are left alone.
void set_up_round(GameState& game, Board& board, const MazeLayout& layout);

// One tick without keyboard, contact or drawing: the player's step and its scoring, targets
// and house timers, the moves of the chasers allowed to move, then the fright or mode timer and
// the tick counter.
void play_tick(GameState& game, Board& board, uint8_t turn_request);
