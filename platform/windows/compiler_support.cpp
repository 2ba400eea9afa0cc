// The memory routines the compiler may call on its own for large copies and clears, which the
// run-time library would otherwise supply. Built without loop-to-call rewriting, so that these
// loops do not turn into calls to themselves.
#include <cstddef>

extern "C" {

void* memset(void* dest, int value, size_t count) {
  auto* bytes = static_cast<unsigned char*>(dest);
  for (size_t index = 0; index < count; ++index) {
    bytes[index] = static_cast<unsigned char>(value);
  }
  return dest;
}

void* memcpy(void* dest, const void* source, size_t count) {
  auto* to = static_cast<unsigned char*>(dest);
  const auto* from = static_cast<const unsigned char*>(source);
  for (size_t index = 0; index < count; ++index) {
    to[index] = from[index];
  }
  return dest;
}

void* memmove(void* dest, const void* source, size_t count) {
  auto* to = static_cast<unsigned char*>(dest);
  const auto* from = static_cast<const unsigned char*>(source);
  if (to < from) {
    for (size_t index = 0; index < count; ++index) {
      to[index] = from[index];
    }
  } else {
    for (size_t index = count; index > 0; --index) {
      to[index - 1] = from[index - 1];
    }
  }
  return dest;
}

int memcmp(const void* left, const void* right, size_t count) {
  const auto* a = static_cast<const unsigned char*>(left);
  const auto* b = static_cast<const unsigned char*>(right);
  for (size_t index = 0; index < count; ++index) {
    if (a[index] != b[index]) {
      return a[index] < b[index] ? -1 : 1;
    }
  }
  return 0;
}
}
