// A headless run: a main routine on the console host with the headless front end, fed by an
// input script, writing traces and screen dumps. The whole of mazewick-sim but the game itself.
#pragma once

#include <string>
#include <vector>

using MainRoutine = int (*)(int argc, char** argv);

// Runs the main routine as mazewick-sim's arguments (after the program name) ask. Its exit
// status: the routine's, 3 when --max-pauses stopped the run (the process ends there), 2 after
// a one-line usage error on standard error.
int run_sim(const std::vector<std::string>& args, MainRoutine main_routine);
