// The flow states of the game's main routine. Each screen returns the next one.
#pragma once

constexpr int kFlowQuit = -1;
constexpr int kFlowTitle = 1;
constexpr int kFlowPlay = 2;
constexpr int kFlowRoundComplete = 3;
constexpr int kFlowGameOver = 4;
