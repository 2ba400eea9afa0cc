#include "input_script.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A parsed script as text: each line as its pause count, its keys and "@" its line number,
// lines joined by "|". Keys show as themselves when printable, as {hh} when not, and as {k}
// when they give no character.
std::string shown(const InputScript& script) {
  std::string text;
  for (const ScriptLine& line : script.lines) {
    text += (text.empty() ? "" : "|") + std::to_string(line.pause) + " ";
    for (const ScriptKey& key : line.keys) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "{%02x}", key.ch);
      text += !key.has_char                     ? "{k}"
              : key.ch >= 0x20 && key.ch < 0x7F ? std::string(1, key.ch)
                                                : hex;
    }
    text += " @" + std::to_string(line.line_number);
  }
  return text;
}

TEST(ParseInputScriptTest, PauseCountsKeysAndEscapes) {
  const struct {
    const char* script;
    const char* shown;
    int stray_backslash_line;
  } cases[] = {
      {"", "", 0},
      {"0 s\n12 wwd\n12 q", "0 s @1|12 wwd @2|12 q @3", 0},
      {"0 \\\\\\s\\e\\n\\r\\t\\x41\\xe9\\xFF\\x00", "0 \\ {1b}{0a}{0d}{09}A{e9}{ff}{00} @1", 0},
      {"0 a\\kb", "0 a{k}b @1", 0},
      // A backslash that starts no escape stands for itself.
      {"0 \\q|\\x4g|\\\\s|a\\", "0 \\q|\\x4g|\\s|a\\ @1", 1},
      {"0 a\n1 \\x4", "0 a @1|1 \\x4 @2", 2},
      {"0 \\\n1 \\y", "0 \\ @1|1 \\y @2", 1},
      {"0  a #\xDB", "0  a #{db} @1", 0},
      {"# start\n\n   \n0 s\n#0 q\n", "0 s @4", 0},
      {"3 ab\r\n4 \\r\r\n\r\n", "3 ab @1|4 {0d} @2", 0},
      {"7 \n", "7  @1", 0},
      {"99999999999999999999999 a\n", "18446744073709551615 a @1", 0},
  };
  for (const auto& c : cases) {
    const InputScript script = parse_input_script(c.script);
    EXPECT_EQ(script.error_line, 0) << c.script;
    EXPECT_EQ(shown(script), c.shown) << c.script;
    EXPECT_EQ(script.stray_backslash_line, c.stray_backslash_line) << c.script;
  }
}

TEST(ScriptLineTest, EscapesAllButPrintableCharactersAndReadsBackAsTheSameKeys) {
  EXPECT_EQ(script_line(12, {{true, 'w'}, {true, '#'}, {true, '~'}}), "12 w#~");
  const std::vector<ScriptKey> escaped = {{true, ' '},  {true, 0x1B}, {true, '\\'}, {false, 0},
                                          {true, 0x7F}, {true, 0x82}, {true, 0},    {true, '\t'}};
  EXPECT_EQ(script_line(3, escaped), "3 \\s\\e\\\\\\k\\x7f\\x82\\x00\\t");
  EXPECT_EQ(script_line(0, {}), "0 ");
  std::vector<ScriptKey> every_key = {{false, 0}};
  for (int ch = 0; ch < 256; ++ch) {
    every_key.push_back({true, static_cast<uint8_t>(ch)});
  }
  const InputScript script = parse_input_script(script_line(18446744073709551615u, every_key));
  ASSERT_EQ(script.lines.size(), 1u);
  EXPECT_EQ(script.lines[0].pause, 18446744073709551615u);
  EXPECT_EQ(script.stray_backslash_line, 0);
  InputScript expected;
  expected.lines.push_back({18446744073709551615u, every_key, 1});
  EXPECT_EQ(shown(script), shown(expected));
}

TEST(ParseInputScriptTest, MalformedLinesAreReportedWithTheirNumber) {
  const struct {
    const char* script;
    int line;
  } cases[] = {{"0 s\nx a\n", 2}, {"# c\n\n5\n", 3}, {"5\tq\n", 1},
               {" 5 q\n", 1},     {"-1 q\n", 1},     {"12a q\n", 1}};
  for (const auto& c : cases) {
    const InputScript script = parse_input_script(c.script);
    EXPECT_EQ(script.error_line, c.line) << c.script;
    EXPECT_FALSE(script.error.empty()) << c.script;
  }
}

}  // namespace
