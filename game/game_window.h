// The console window the game sets for itself on starting: every screen is drawn to fit it.
#pragma once

constexpr int kWindowColumns = 55;
constexpr int kWindowRows = 33;
