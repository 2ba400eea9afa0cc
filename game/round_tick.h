// The rules of a round, tick by tick, apart from the keyboard, the drawing and the pause between
// ticks, which the play state adds.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "maze/layouts.h"

// Turn requests, one per tick: 0 for none, else 4 + the wanted direction.
constexpr uint8_t kTurnUp = 4;
constexpr uint8_t kTurnRight = 5;
constexpr uint8_t kTurnDown = 6;
constexpr uint8_t kTurnLeft = 7;

// Prepares the round `round`: its maze (round mod 5) compiled into the board, its pellets counted
// and every figure on its start cell. Score, lives, fright time, the tick count, the queued turn
// and the chasers' targets and flags are left as they are.
void round_setup(GameState& game);
// The same on the given maze.
void round_setup_from_layout(GameState& game, const MazeLayout& layout);

// Places the bonus item on the player's start cell when the pellets left drop below half of the
// round's total, and again below an eighth.
void place_bonus_item(GameState& game);

// The moves of one tick and what follows from them: the player's step with the turn request and
// the scoring of what it ate, the chasers' targets, house timers and moves, at most one contact,
// and extra lives.
void update_round(GameState& game, uint8_t turn_request);

// The end of a tick: the fright time runs down, or while nobody is frightened the mode timer runs
// up; the tick count goes on.
void count_tick(GameState& game);
