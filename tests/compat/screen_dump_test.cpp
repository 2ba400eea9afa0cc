#include "screen_dump.h"

#include <string>

#include "console_fixture.h"

namespace {

using ScreenDumpTest = ConsoleTest;

TEST_F(ScreenDumpTest, ExactJsonForASmallBuffer) {
  host().reset(3, 2);
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x1E));
  write("ab\n");
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0xC4));
  write("c");
  ASSERT_TRUE(SetConsoleTitleA("T"));
  EXPECT_EQ(screen_dump_json(host(), 7),
            "{\"pause\":7,\"width\":3,\"height\":2,\"rows\":[\"ab \",\"c  \"],"
            "\"fg\":[\"ee7\",\"477\"],\"bg\":[\"110\",\"c00\"],\"cursor\":[1,1,1,25],"
            "\"title\":\"T\"}");
}

TEST_F(ScreenDumpTest, CursorShowsHiddenSizeAndTheLastColumnWhereItStaysWithoutWrap) {
  host().reset(2, 1);
  CONSOLE_CURSOR_INFO hidden = {60, FALSE};
  ASSERT_TRUE(SetConsoleCursorInfo(out(), &hidden));
  ASSERT_TRUE(SetConsoleMode(out(), ENABLE_PROCESSED_OUTPUT));
  write("ab");
  EXPECT_EQ(screen_dump_json(host(), 0),
            "{\"pause\":0,\"width\":2,\"height\":1,\"rows\":[\"ab\"],\"fg\":[\"77\"],"
            "\"bg\":[\"00\"],\"cursor\":[1,0,0,60],\"title\":\"\"}");
}

TEST_F(ScreenDumpTest, RowsShowCodePage437GlyphsAndStringsAreEscaped) {
  host().reset(8, 1);
  ASSERT_TRUE(SetConsoleMode(out(), ENABLE_PROCESSED_OUTPUT));  // the full row stays in view
  write(std::string("\x00\x01\x7F\xDB\xE9\xFF\"\\", 8));
  ASSERT_TRUE(SetConsoleTitleA("a\"b\\c\n\t\x1B\x7F\xE9"));
  const std::string dump = screen_dump_json(host(), 0);
  EXPECT_NE(dump.find("\"rows\":[\" \u263A\u2302\u2588\u0398\u00A0\\\"\\\\\"]"), std::string::npos)
      << dump;
  EXPECT_NE(dump.find("\"title\":\"a\\\"b\\\\c\\n\\t\\u001b\u2302\u0398\"}"), std::string::npos)
      << dump;
}

}  // namespace
