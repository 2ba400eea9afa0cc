// The game's main routine: prepares the console, runs the title, play and result screens until
// the player quits, and puts the console back as it found it.
#pragma once

// Exit code: 0 after quitting, 1 when the console cannot be had. The arguments are not used.
int game_main(int argc, char** argv);
