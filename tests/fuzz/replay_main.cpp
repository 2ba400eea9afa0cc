// Runs a fuzz target over saved inputs without libFuzzer: every file named, and every file in
// every directory named, in name order. The seeds are checked this way on every test run.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::filesystem::path> inputs_named(const std::filesystem::path& name) {
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(name)) {
    for (const auto& entry : std::filesystem::directory_iterator(name)) {
      if (entry.is_regular_file()) {
        files.push_back(entry.path());
      }
    }
    std::sort(files.begin(), files.end());
  } else {
    files.push_back(name);
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  size_t runs = 0;
  for (int arg = 1; arg < argc; ++arg) {
    for (const std::filesystem::path& file : inputs_named(argv[arg])) {
      std::ifstream in(file, std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
      }
      const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
      std::fprintf(stderr, "running %s\n", file.c_str());
      LLVMFuzzerTestOneInput(data.data(), data.size());
      ++runs;
    }
  }
  if (runs == 0) {
    std::fprintf(stderr, "no inputs to run\n");
    return 1;
  }
  std::fprintf(stderr, "%zu inputs ran\n", runs);
  return 0;
}
