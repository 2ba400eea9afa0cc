// The screens shown when a round is complete and when the game is over.
#pragma once

#include "game/game_state.h"

// kFlowPlay to go on with the next round, or kFlowQuit.
int show_round_complete(const GameState& game);
// kFlowTitle to return to the title screen, or kFlowQuit.
int show_game_over(const GameState& game);
