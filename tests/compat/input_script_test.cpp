#include "input_script.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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
  } cases[] = {
      {"", ""},
      {"0 s\n12 wwd\n12 q", "0 s @1|12 wwd @2|12 q @3"},
      {"0 \\\\\\s\\e\\n\\r\\t\\x41\\xe9\\xFF\\x00", "0 \\ {1b}{0a}{0d}{09}A{e9}{ff}{00} @1"},
      {"0 a\\kb", "0 a{k}b @1"},
      // A backslash that starts no escape stands for itself.
      {"0 \\q|\\x4g|\\\\s|a\\", "0 \\q|\\x4g|\\s|a\\ @1"},
      {"0 \\x4", "0 \\x4 @1"},
      {"0  a #\xDB", "0  a #{db} @1"},
      {"# start\n\n   \n0 s\n#0 q\n", "0 s @4"},
      {"3 ab\r\n4 \\r\r\n\r\n", "3 ab @1|4 {0d} @2"},
      {"7 \n", "7  @1"},
      {"99999999999999999999999 a\n", "18446744073709551615 a @1"},
  };
  for (const auto& c : cases) {
    const InputScript script = parse_input_script(c.script);
    EXPECT_EQ(script.error_line, 0) << c.script;
    EXPECT_EQ(shown(script), c.shown) << c.script;
  }
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
