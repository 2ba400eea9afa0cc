// The title screen, where a game is started.
#pragma once

#include "game/game_state.h"

// A new game: no score, three lives, the first round, no fright time left.
void reset_game(GameState& game);

// Draws the title and asks to begin or quit: kFlowPlay after a game reset, or kFlowQuit.
int show_title(GameState& game);
