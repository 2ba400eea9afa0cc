// The game's main routine: prepares the console, runs the title, play and result screens until
// the player quits, and puts the console back as it found it.
#pragma once

// The game's name and version: its window's title, and what --version shows.
constexpr char kGameTitle[] = "Mazewick 1.0";

// Exit code: 0 after quitting, 1 when the console cannot be had. The arguments are not used.
int game_main(int argc, char** argv);

// Puts the whole program's state back as it is when the program starts: the console as found,
// the console layer, the game and the random numbers. For hosts that run the game more than once
// in one process. The test program_state fails when a variable of the game is not reset here.
void reset_program_state();
