#include "runtime/cmdline.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr unsigned char kPoison = 0xA5;
constexpr size_t kPoisonBytes = 64;

// The arguments a command line splits into, checked against what measuring promised: the block
// is exactly as large as measured and nothing beyond it is written.
std::vector<std::string> split(const std::string& command_line) {
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
  std::vector<std::string> args;
  size_t characters = 0;
  char* expected_text = reinterpret_cast<char*>(storage.data() + count);
  for (uint32_t index = 0; index < count; ++index) {
    // Texts follow the pointer array and each other directly.
    EXPECT_EQ(storage[index], expected_text);
    args.emplace_back(storage[index]);
    characters += args.back().size();
    expected_text += args.back().size() + 1;
  }
  EXPECT_EQ(size, count * (sizeof(char*) + 1) + characters);
  EXPECT_EQ(expected_text, reinterpret_cast<char*>(bytes) + size);
  return args;
}

using Args = std::vector<std::string>;

TEST(CmdlineMeasure, EmptyAndAllSpaceLinesHaveNoArguments) {
  for (const char* line : {"", " ", "     "}) {
    uint32_t count = 99;
    EXPECT_EQ(cmdline_measure(line, count), 0u);
    EXPECT_EQ(count, 0u);
  }
}

TEST(CmdlineMeasure, BlockHoldsAPointerAndANulPerArgument) {
  uint32_t count = 0;
  const size_t size = cmdline_measure("game  a  \"b c\"", count);
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(size, 3 * (sizeof(char*) + 1) + 8);
}

TEST(CmdlineSplit, EmptyLineWritesNothing) {
  char* block[1] = {reinterpret_cast<char*>(&block)};
  cmdline_split("   ", 0, block);
  EXPECT_EQ(block[0], reinterpret_cast<char*>(&block));
}

TEST(CmdlineSplit, SpacesSeparateAndQuotesGroup) {
  EXPECT_EQ(split("game  a  \"b c\""), (Args{"game", "a", "b c"}));
}

TEST(CmdlineSplit, OnlySpacesSeparate) {
  EXPECT_EQ(split("a\tb c"), (Args{"a\tb", "c"}));
  EXPECT_EQ(split("  lead trail  "), (Args{"lead", "trail"}));
}

TEST(CmdlineSplit, UnclosedQuoteRunsToTheEnd) {
  EXPECT_EQ(split("prog \"open to  the end "), (Args{"prog", "open to  the end "}));
  EXPECT_EQ(split("prog \""), (Args{"prog", ""}));
}

TEST(CmdlineSplit, EmptyQuotesMakeAnEmptyArgument) {
  EXPECT_EQ(split("a \"\" b"), (Args{"a", "", "b"}));
  EXPECT_EQ(split("\"\""), (Args{""}));
}

TEST(CmdlineSplit, TextAfterAClosingQuoteStartsANewArgument) {
  EXPECT_EQ(split("\"a\"b"), (Args{"a", "b"}));
  EXPECT_EQ(split("\"a\"\"b c\""), (Args{"a", "b c"}));
}

TEST(CmdlineSplit, QuotesInsideAnUnquotedArgumentAreText) {
  EXPECT_EQ(split("a\"b c\""), (Args{"a\"b", "c\""}));
}

TEST(CmdlineSplit, BackslashesAreOrdinary) {
  EXPECT_EQ(split("C:\\games\\mazewick.exe \\\"x"), (Args{"C:\\games\\mazewick.exe", "\\\"x"}));
}

TEST(CmdlineSplit, HighBytesAreOrdinary) {
  EXPECT_EQ(split("\x82t\xE9 \xFF"), (Args{"\x82t\xE9", "\xFF"}));
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
  const Args args = split(line);
  ASSERT_EQ(args.size(), expected.size());
  EXPECT_EQ(args, expected);
}

TEST(CmdlineSplit, RandomLinesStayWithinTheMeasuredBlock) {
  std::mt19937 random(20240601);
  const char alphabet[] = {' ', ' ', ' ', '"', '"', 'a', 'b', '\\', '\t', '\xE9'};
  for (int round = 0; round < 5000; ++round) {
    std::string line(random() % 40, ' ');
    for (char& character : line) {
      character = alphabet[random() % sizeof(alphabet)];
    }
    const Args args = split(line);
    // The texts together with their separators never exceed the line.
    size_t characters = 0;
    for (const std::string& arg : args) {
      characters += arg.size();
      EXPECT_EQ(arg.find('\0'), std::string::npos);
    }
    EXPECT_LE(characters + args.size(), line.size() + 1) << line;
  }
}

}  // namespace
