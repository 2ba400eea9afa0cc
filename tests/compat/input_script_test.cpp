#include "input_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The keys of a one-line script, as text: a key without a character shows as '?'.
std::vector<ScriptKey> keys_of(const std::string& keys) {
  const InputScript script = parse_input_script("0 " + keys + "\n");
  EXPECT_EQ(script.error_line, 0) << script.error;
  EXPECT_EQ(script.lines.size(), 1u);
  return script.lines.empty() ? std::vector<ScriptKey>{} : script.lines[0].keys;
}

std::string chars_of(const std::vector<ScriptKey>& keys) {
  std::string text;
  for (const ScriptKey& key : keys) {
    text += key.has_char ? static_cast<char>(key.ch) : '?';
  }
  return text;
}

TEST(ParseInputScriptTest, ReadsPauseCountsAndKeysInOrder) {
  const InputScript script = parse_input_script("0 s\n12 wwd\n12 q");
  ASSERT_EQ(script.error_line, 0);
  ASSERT_EQ(script.lines.size(), 3u);
  EXPECT_EQ(script.lines[0].pause, 0u);
  EXPECT_EQ(chars_of(script.lines[0].keys), "s");
  EXPECT_EQ(script.lines[1].pause, 12u);
  EXPECT_EQ(chars_of(script.lines[1].keys), "wwd");
  EXPECT_EQ(script.lines[2].line_number, 3);
  EXPECT_EQ(chars_of(script.lines[2].keys), "q");
}

TEST(ParseInputScriptTest, EveryEscape) {
  EXPECT_EQ(chars_of(keys_of("\\\\")), "\\");
  EXPECT_EQ(chars_of(keys_of("\\s")), " ");
  EXPECT_EQ(chars_of(keys_of("\\e")), "\x1B");
  EXPECT_EQ(chars_of(keys_of("\\n")), "\n");
  EXPECT_EQ(chars_of(keys_of("\\r")), "\r");
  EXPECT_EQ(chars_of(keys_of("\\t")), "\t");
  EXPECT_EQ(chars_of(keys_of("\\x41\\xe9\\xFF")), "A\xE9\xFF");
}

TEST(ParseInputScriptTest, HexZeroIsAKeyWithTheCharacterZero) {
  const std::vector<ScriptKey> keys = keys_of("\\x00");
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_TRUE(keys[0].has_char);
  EXPECT_EQ(keys[0].ch, 0);
}

TEST(ParseInputScriptTest, BackslashKIsAKeyWithoutACharacter) {
  const std::vector<ScriptKey> keys = keys_of("a\\kb");
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_FALSE(keys[1].has_char);
  EXPECT_EQ(chars_of(keys), "a?b");
}

TEST(ParseInputScriptTest, ABackslashThatStartsNoEscapeStandsForItself) {
  EXPECT_EQ(chars_of(keys_of("\\q")), "\\q");
  EXPECT_EQ(chars_of(keys_of("\\x4g")), "\\x4g");
  EXPECT_EQ(chars_of(keys_of("\\x4")), "\\x4");
  EXPECT_EQ(chars_of(keys_of("a\\")), "a\\");
  EXPECT_EQ(chars_of(keys_of("\\\\s")), "\\s");
}

TEST(ParseInputScriptTest, SpacesAndOtherBytesAreKeys) {
  EXPECT_EQ(chars_of(keys_of(" a #")), " a #");
  EXPECT_EQ(chars_of(keys_of("\xDB")), "\xDB");
}

TEST(ParseInputScriptTest, SkipsBlankLinesAndComments) {
  const InputScript script = parse_input_script("# start\n\n   \n0 s\n#0 q\n");
  ASSERT_EQ(script.error_line, 0);
  ASSERT_EQ(script.lines.size(), 1u);
  EXPECT_EQ(script.lines[0].line_number, 4);
}

TEST(ParseInputScriptTest, DropsATrailingCarriageReturn) {
  const InputScript script = parse_input_script("3 ab\r\n4 \\r\r\n\r\n");
  ASSERT_EQ(script.error_line, 0);
  ASSERT_EQ(script.lines.size(), 2u);
  EXPECT_EQ(chars_of(script.lines[0].keys), "ab");
  EXPECT_EQ(chars_of(script.lines[1].keys), "\r");
}

TEST(ParseInputScriptTest, ALineWithNoKeysIsKeptAndDeliversNothing) {
  const InputScript script = parse_input_script("7 \n");
  ASSERT_EQ(script.lines.size(), 1u);
  EXPECT_EQ(script.lines[0].pause, 7u);
  EXPECT_TRUE(script.lines[0].keys.empty());
}

TEST(ParseInputScriptTest, APauseCountTooLargeToReachIsKeptAsTheLargest) {
  const InputScript script = parse_input_script("99999999999999999999999 a\n");
  ASSERT_EQ(script.lines.size(), 1u);
  EXPECT_EQ(script.lines[0].pause, UINT64_MAX);
}

TEST(ParseInputScriptTest, MalformedLinesAreReportedWithTheirNumber) {
  EXPECT_EQ(parse_input_script("0 s\nx a\n").error_line, 2);
  EXPECT_EQ(parse_input_script("# c\n\n5\n").error_line, 3);
  EXPECT_EQ(parse_input_script("5\tq\n").error_line, 1);
  EXPECT_EQ(parse_input_script(" 5 q\n").error_line, 1);
  EXPECT_EQ(parse_input_script("-1 q\n").error_line, 1);
  EXPECT_EQ(parse_input_script("12a q\n").error_line, 1);
  EXPECT_FALSE(parse_input_script("0 s\nq\n").error.empty());
}

TEST(ParseInputScriptTest, AnEmptyScriptHasNoLines) {
  const InputScript script = parse_input_script("");
  EXPECT_EQ(script.error_line, 0);
  EXPECT_TRUE(script.lines.empty());
}

}  // namespace
