// The game state at a pause as one line of compact JSON, for traces of headless runs.
#pragma once

#include <cstdint>
#include <string>

#include "game/game_state.h"

// FNV-1a, 32 bits, over the board's cells in order.
uint32_t board_hash(const Board& board);

// {"pause":N,"round":R,"score":S,"next_life_at":L,"lives":V,"fright":F,"mode":M,"tick":K,
//  "pellets_left":P,"pellets_total":T,"bonus_count":B,"player":[x,y,dir,queued_turn],
//  "chasers":[[x,y,dir,target_x,target_y,flags],...],"house":[h0,h1,h2,h3],"board":"hhhhhhhh"}
// without a line end.
std::string trace_json(const GameState& state, uint64_t pauses);
