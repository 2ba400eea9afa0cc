#include "runtime/cmdline.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

constexpr unsigned char kPoison = 0xA5;
constexpr size_t kPoisonBytes = 64;

// The arguments a command line splits into, checked against what measuring promised: the block
// is exactly as large as measured, texts follow the pointers and each other directly, and nothing
// beyond the block is written.
Args split(const std::string& command_line) {
  uint32_t count = 99;
  const size_t size = cmdline_measure(command_line.c_str(), count);
  // Pointer-aligned storage for the block and a poisoned tail after it.
  std::vector<char*> storage((size + kPoisonBytes) / sizeof(char*) + 1);
  auto* bytes = reinterpret_cast<unsigned char*>(storage.data());
  const size_t storage_bytes = storage.size() * sizeof(char*);
  std::memset(bytes, kPoison, storage_bytes);
  cmdline_split(command_line.c_str(), count, storage.data());

  for (size_t offset = size; offset < storage_bytes; ++offset) {
    EXPECT_EQ(bytes[offset], kPoison) << "written past the block at byte " << offset;
  }
  Args args;
  size_t characters = 0;
  char* expected_text = reinterpret_cast<char*>(storage.data() + count);
  for (uint32_t index = 0; index < count; ++index) {
    EXPECT_EQ(storage[index], expected_text);
    args.emplace_back(storage[index]);
    characters += args.back().size();
    expected_text += args.back().size() + 1;
  }
  EXPECT_EQ(size, count * (sizeof(char*) + 1) + characters);
  EXPECT_EQ(expected_text, reinterpret_cast<char*>(bytes) + size);
  return args;
}

TEST(CmdlineSplit, EveryCase) {
  const struct {
    const char* line;
    Args args;
  } cases[] = {
      {"", {}},
      {"     ", {}},
      {"game  a  \"b c\"", {"game", "a", "b c"}},
      // Only spaces separate.
      {"a\tb c", {"a\tb", "c"}},
      {"  lead trail  ", {"lead", "trail"}},
      // An unclosed quote runs to the end.
      {"prog \"open to  the end ", {"prog", "open to  the end "}},
      {"prog \"", {"prog", ""}},
      {"a \"\" b", {"a", "", "b"}},
      {"\"\"", {""}},
      // Text after a closing quote starts a new argument; quotes inside an unquoted one are text.
      {"\"a\"b", {"a", "b"}},
      {"\"a\"\"b c\"", {"a", "b c"}},
      {"a\"b c\"", {"a\"b", "c\""}},
      // Backslashes and high bytes are ordinary.
      {"C:\\games\\mazewick.exe \\\"x", {"C:\\games\\mazewick.exe", "\\\"x"}},
      {"\x82t\xE9 \xFF", {"\x82t\xE9", "\xFF"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(split(c.line), c.args) << c.line;
  }
}

TEST(CmdlineMeasure, ThreeArgumentsOfEightCharacters) {
  uint32_t count = 0;
  EXPECT_EQ(cmdline_measure("game  a  \"b c\"", count), 3 * (sizeof(char*) + 1) + 8);
  EXPECT_EQ(count, 3u);
}

TEST(CmdlineSplit, LongCommandLine) {
  std::string line = "\"C:\\Program Files\\Mazewick\\mazewick.exe\"";
  Args expected = {"C:\\Program Files\\Mazewick\\mazewick.exe"};
  for (int index = 0; index < 2000; ++index) {
    const std::string word = "arg" + std::to_string(index);
    line += (index % 3 == 0) ? " \"" + word + " x\"" : "   " + word;
    expected.push_back((index % 3 == 0) ? word + " x" : word);
  }
  // Windows allows 32767 characters; the last argument fills the line up to that.
  const std::string filler(32767 - line.size() - 1, 'z');
  line += " " + filler;
  expected.push_back(filler);
  EXPECT_EQ(split(line), expected);
}

TEST(CmdlineSplit, RandomLinesStayWithinTheMeasuredBlock) {
  std::mt19937 random(20240601);
  const char alphabet[] = {' ', ' ', ' ', '"', '"', 'a', 'b', '\\', '\t', '\xE9'};
  for (int round = 0; round < 5000; ++round) {
    std::string line(random() % 40, ' ');
    for (char& character : line) {
      character = alphabet[random() % sizeof(alphabet)];
    }
    // The texts together with their separators never exceed the line.
    size_t characters = 0;
    const Args args = split(line);
    for (const std::string& arg : args) {
      characters += arg.size();
    }
    EXPECT_LE(characters + args.size(), line.size() + 1) << line;
  }
}

}  // namespace
