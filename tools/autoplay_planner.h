// Plays the game by its own rules and writes the keys it pressed as an input script for the
// headless runner. It looks a few ticks ahead for each turn it could ask for, walking towards the
// nearest thing worth eating and away from moves that cost a life. The game is deterministic, so
// the script replays the same game in the real program.
#pragma once

#include <cstdint>
#include <string>

// A script from the title screen on: S, then the keys of every tick until the score reaches
// until_score (in tens of points), the game is over or max_ticks have passed, then Esc and q,
// which pause the game and quit from the pause. Space goes on after each completed round.
std::string plan_game_script(uint32_t until_score, long max_ticks);
