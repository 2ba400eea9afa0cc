// Runs a fuzz target without libFuzzer over saved inputs, so that every test run checks the
// seeds: each file in each directory named, in name order.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "tests/fuzz/fuzz_check.h"

int main(int argc, char** argv) {
  std::set<std::filesystem::path> files;
  for (int arg = 1; arg < argc; ++arg) {
    files.insert(std::filesystem::directory_iterator(argv[arg]), {});
  }
  for (const std::filesystem::path& file : files) {
    std::fprintf(stderr, "running %s\n", file.c_str());
    std::ifstream in(file, std::ios::binary);
    FUZZ_CHECK(in.is_open());
    const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), {});
    LLVMFuzzerTestOneInput(data.data(), data.size());
  }
  std::fprintf(stderr, "%zu inputs ran\n", files.size());
  return files.empty() ? 1 : 0;
}
