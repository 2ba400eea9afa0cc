// The arrow keys and the capitals W, A, S and D steer as w, a, s and d do during a round, and
// only then, in every front end that has them. A front end turns them into the letters before
// the game reads them, so that a recording holds the letters and plays the same game anywhere.
#pragma once

#include <cstdint>

#include "platform/headless/input_script.h"

// The key as the game is to read it. arrow is the letter an arrow key steers with (w, a, s or
// d), 0 for any other key; ticking says that the key came while the game ran a tick or its pause,
// not while it waited for a key at a screen.
ScriptKey steering_key(const ScriptKey& key, uint8_t arrow, bool ticking);
