// Runs the memory routines that the compiler may call in the game, on the target itself, and
// ends the process with the number of failed checks as its exit code.
#include <cstddef>
#include <cstdint>

extern "C" {
void* memset(void* dest, int value, size_t count);
void* memcpy(void* dest, const void* source, size_t count);
void* memmove(void* dest, const void* source, size_t count);
int memcmp(const void* left, const void* right, size_t count);
[[noreturn]] __declspec(dllimport) void __stdcall ExitProcess(unsigned exit_code);
}

extern "C" [[noreturn]] __attribute__((force_align_arg_pointer)) void check_entry() {
  constexpr uint8_t kX = 0xAB;
  uint8_t set[8] = {};
  const uint8_t set_expected[8] = {0, kX, kX, kX, kX, kX, kX, 0};
  const uint8_t source[6] = {1, 2, 3, 4, 5, 6};
  uint8_t copy[7] = {};
  const uint8_t copy_expected[7] = {1, 2, 3, 4, 5, 6, 0};
  uint8_t towards_end[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  const uint8_t end_expected[8] = {0, 1, 2, 0, 1, 2, 3, 7};
  uint8_t towards_start[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  const uint8_t start_expected[8] = {3, 4, 5, 6, 4, 5, 6, 7};
  const uint8_t low[] = {1, 2, 3};
  const uint8_t high[] = {1, 2, 200};
  // memcmp first, as the others are checked through it. The bytes around those written are left
  // alone, and the moves overlap.
  const bool checks[] = {
      memcmp(low, high, 3) < 0 && memcmp(high, low, 3) > 0,
      memcmp(low, high, 2) == 0 && memcmp(low, high, 0) == 0,
      memset(set + 1, 0x100 | kX, 6) == set + 1 && memcmp(set, set_expected, 8) == 0,
      memcpy(copy, source, 6) == copy && memcmp(copy, copy_expected, 7) == 0,
      memmove(towards_end + 3, towards_end, 4) == towards_end + 3 &&
          memcmp(towards_end, end_expected, 8) == 0,
      memmove(towards_start, towards_start + 3, 4) == towards_start &&
          memcmp(towards_start, start_expected, 8) == 0,
  };
  unsigned failures = 0;
  for (const bool passed : checks) {
    failures += passed ? 0 : 1;
  }
  ExitProcess(failures);
}
