// The program's pseudo-random generator: the same sequence in every run, never seeded.
#pragma once

#include <cstdint>

struct RandomState {
  uint32_t a;
  uint32_t b;
};

// Zero when the program starts; lasts for the whole run.
extern RandomState random_state;

// The next number of the sequence, 0 to 32767.
uint16_t next_random();
