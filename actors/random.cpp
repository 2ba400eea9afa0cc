#include "actors/random.h"

RandomState random_state;

uint16_t next_random() {
  const uint32_t a = random_state.a;
  const uint32_t b = random_state.b;
  random_state.a = (83u * a + 13u) ^ (a >> 17) ^ (b >> 23);
  random_state.b = (b << 7) + (a >> 23);
  return static_cast<uint16_t>(random_state.a & 0x7FFF);
}
