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

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int arg = 1; arg < argc; ++arg) {
    const auto first = static_cast<std::ptrdiff_t>(files.size());
    if (std::filesystem::is_directory(argv[arg])) {
      for (const auto& entry : std::filesystem::directory_iterator(argv[arg])) {
        if (entry.is_regular_file()) {
          files.push_back(entry.path());
        }
      }
    } else {
      files.emplace_back(argv[arg]);
    }
    std::sort(files.begin() + first, files.end());
  }
  for (const std::filesystem::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", file.c_str());
      return 1;
    }
    const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), {});
    std::fprintf(stderr, "running %s\n", file.c_str());
    LLVMFuzzerTestOneInput(data.data(), data.size());
  }
  if (files.empty()) {
    std::fprintf(stderr, "no inputs to run\n");
    return 1;
  }
  std::fprintf(stderr, "%zu inputs ran\n", files.size());
  return 0;
}
