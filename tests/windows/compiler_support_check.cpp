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

namespace {

constexpr size_t kBytes = 40;

unsigned failures = 0;

void check(bool passed) {
  if (!passed) {
    ++failures;
  }
}

bool all_equal(const uint8_t* bytes, size_t count, uint8_t value) {
  for (size_t index = 0; index < count; ++index) {
    if (bytes[index] != value) {
      return false;
    }
  }
  return true;
}

void fill_counting(uint8_t* bytes, size_t count) {
  for (size_t index = 0; index < count; ++index) {
    bytes[index] = static_cast<uint8_t>(index);
  }
}

void check_memset() {
  uint8_t bytes[kBytes + 2] = {};
  check(memset(bytes + 1, 0x1AB, kBytes) == bytes + 1);
  check(all_equal(bytes + 1, kBytes, 0xAB));
  check(bytes[0] == 0 && bytes[kBytes + 1] == 0);
}

void check_memcpy() {
  uint8_t source[kBytes];
  uint8_t dest[kBytes + 1] = {};
  fill_counting(source, kBytes);
  check(memcpy(dest, source, kBytes) == dest);
  check(memcmp(dest, source, kBytes) == 0);
  check(dest[kBytes] == 0);
}

void check_memmove() {
  uint8_t bytes[kBytes];
  fill_counting(bytes, kBytes);
  memmove(bytes + 3, bytes, 10);  // overlapping, towards the end
  check(bytes[3] == 0 && bytes[12] == 9 && bytes[2] == 2 && bytes[13] == 13);
  fill_counting(bytes, kBytes);
  memmove(bytes, bytes + 3, 10);  // overlapping, towards the start
  check(bytes[0] == 3 && bytes[9] == 12 && bytes[10] == 10);
}

void check_memcmp() {
  const uint8_t low[] = {1, 2, 3};
  const uint8_t high[] = {1, 2, 200};
  check(memcmp(low, high, 3) < 0);
  check(memcmp(high, low, 3) > 0);
  check(memcmp(low, high, 2) == 0);
  check(memcmp(low, high, 0) == 0);
}

}  // namespace

extern "C" [[noreturn]] __attribute__((force_align_arg_pointer)) void check_entry() {
  check_memset();
  check_memcpy();
  check_memmove();
  check_memcmp();
  ExitProcess(failures);
}
