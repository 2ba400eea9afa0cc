// The command-line splitter on any text: the split must fill exactly the block that measuring
// sized (allocated at that size, so AddressSanitizer sees any write past it) with the pointers,
// then the arguments that the splitting rules give, in order, each with its NUL.
#include <algorithm>
#include <cstring>
#include <memory>
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
  // new[] aligns the block for its pointers.
  const auto block = std::make_unique<char[]>(block_size);
  const auto pointers = reinterpret_cast<char**>(block.get());
  cmdline_split(text.data(), count, pointers);
  size_t at = count * sizeof(char*);
  for (uint32_t i = 0; i < count; ++i) {
    FUZZ_CHECK(pointers[i] == block.get() + at &&
               std::memcmp(pointers[i], expected[i].c_str(), expected[i].size() + 1) == 0);
    at += expected[i].size() + 1;
  }
  FUZZ_CHECK(at == block_size);
  return 0;
}
