// The command-line splitter on any text: the split must fill exactly the block that measuring
// sized (allocated at that size, so AddressSanitizer sees any write past it) with the pointers,
// then the arguments that the splitting rules give, in order, each with its NUL.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/cmdline.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The command line is a C string: it ends at the first NUL, the last byte of its allocation.
  const std::string line(data, std::find(data, data + size, 0));
  const std::vector<char> text(line.c_str(), line.c_str() + line.size() + 1);
  // The arguments by the rules, written plainly: spaces separate; an argument that starts with a
  // double quote ends at the next one, any other at the next space; no escapes.
  std::vector<std::string> expected;
  for (size_t i = line.find_first_not_of(' '); i != std::string::npos;
       i = line.find_first_not_of(' ', i)) {
    const bool quoted = line[i] == '"';
    const size_t end = std::min(line.find(quoted ? '"' : ' ', i + quoted), line.size());
    expected.push_back(line.substr(i + quoted, end - i - quoted));
    i = end + 1;
  }
  uint32_t count = 12345;
  const size_t block_size = cmdline_measure(text.data(), count);
  FUZZ_CHECK(count == expected.size());
  // malloc aligns the block for its pointers.
  char* const raw = static_cast<char*>(std::malloc(block_size));
  FUZZ_CHECK(raw != nullptr || block_size == 0);
  char** const block = reinterpret_cast<char**>(raw);
  cmdline_split(text.data(), count, block);
  const char* next = raw + count * sizeof(char*);
  for (uint32_t i = 0; i < count; ++i) {
    FUZZ_CHECK(block[i] == next);
    FUZZ_CHECK(std::memcmp(block[i], expected[i].c_str(), expected[i].size() + 1) == 0);
    next = block[i] + expected[i].size() + 1;
  }
  FUZZ_CHECK(next == raw + block_size);
  std::free(raw);
  return 0;
}
