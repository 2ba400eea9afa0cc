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
  const uint8_t low[] = {1, 2, 3};
  const uint8_t high[] = {1, 2, 200};
  uint8_t set[8] = {};
  uint8_t copy[7] = {};
  uint8_t towards_end[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  uint8_t towards_start[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  // memcmp first, as the others are checked through it. The bytes around those written are left
  // alone, and the moves overlap. Each expected string ends in its zero byte.
  const bool checks[] = {
      memcmp(low, high, 3) < 0 && memcmp(high, low, 3) > 0,
      memcmp(low, high, 2) == 0 && memcmp(low, high, 0) == 0,
      memset(set + 1, 0x1AB, 6) == set + 1 && memcmp(set, "\0\xAB\xAB\xAB\xAB\xAB\xAB", 8) == 0,
      memcpy(copy, "\1\2\3\4\5\6", 6) == copy && memcmp(copy, "\1\2\3\4\5\6", 7) == 0,
      memmove(towards_end + 3, towards_end, 4) == towards_end + 3 &&
          memcmp(towards_end, "\0\1\2\0\1\2\3\7", 8) == 0,
      memmove(towards_start, towards_start + 3, 4) == towards_start &&
          memcmp(towards_start, "\3\4\5\6\4\5\6\7", 8) == 0,
  };
  unsigned failures = 0;
  for (const bool passed : checks) {
    failures += passed ? 0 : 1;
  }
  ExitProcess(failures);
}
