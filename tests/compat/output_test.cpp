#include <vector>

#include "console_fixture.h"

namespace {

using WriteConsoleTest = ConsoleTest;

// The cursor as GetConsoleScreenBufferInfo reports it.
COORD reported_cursor() {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  EXPECT_TRUE(GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info));
  return info.dwCursorPosition;
}

TEST_F(WriteConsoleTest, ProcessedOutput) {
  const struct {
    const char* name;
    int width;
    int height;
    std::string bytes;
    std::vector<std::string> rows;
    int cursor_x;
    int cursor_y;
    bool wrap_pending;
  } cases[] = {
      {"other control bytes are glyphs",
       6,
       2,
       "\x01\x1B\x7F\xDB",
       {"\x01\x1B\x7F\xDB  "},
       4,
       0,
       false},
      {"bell draws nothing", 6, 2, "a\ab", {"ab    "}, 2, 0, false},
      {"backspace not past column 0", 6, 2, "abc\b\bX\r\b\b", {"aXc   "}, 0, 0, false},
      // From 16 the next stop, 24, lies past the last column; no wrap is left pending.
      {"tab stops, then the last column",
       20,
       2,
       "ab\tc\td\te",
       {"ab      c       d  e", std::string(20, ' ')},
       19,
       0,
       true},
      {"line feed", 6, 2, "abc\nd", {"abc   ", "d     "}, 1, 1, false},
      {"carriage return", 6, 2, "abc\rX", {"Xbc   "}, 1, 0, false},
      {"line feed on the bottom row scrolls",
       4,
       3,
       "top\nmid\nbot\n",
       {"mid ", "bot ", "    "},
       0,
       2,
       false},
      {"last column leaves a pending wrap", 4, 3, "abcd", {"abcd", "    "}, 3, 0, true},
      {"a full row and a line feed take one row",
       4,
       3,
       "abcd\nef",
       {"abcd", "ef  ", "    "},
       2,
       1,
       false},
      {"the next drawn byte wraps", 4, 3, "abcde", {"abcd", "e   "}, 1, 1, false},
      {"a wrap on the bottom row scrolls first", 2, 2, "abcde", {"cd", "e "}, 1, 1, false},
      {"carriage return clears the wrap", 4, 3, "abcd\rX", {"Xbcd", "    "}, 1, 0, false},
      {"backspace clears the wrap, left of the last column",
       4,
       3,
       "abcd\bX",
       {"abXd", "    "},
       3,
       0,
       false},
      {"tab leaves the wrap pending", 4, 3, "abcd\te", {"abcd", "e   "}, 1, 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host().reset(c.width, c.height);
    EXPECT_EQ(write(c.bytes), c.bytes.size());
    for (size_t y = 0; y < c.rows.size(); ++y) {
      EXPECT_EQ(row(static_cast<int>(y)), c.rows[y]) << "row " << y;
    }
    EXPECT_EQ(reported_cursor().X, c.cursor_x);
    EXPECT_EQ(reported_cursor().Y, c.cursor_y);
    EXPECT_EQ(host().wrap_pending(), c.wrap_pending);
  }
}

TEST_F(WriteConsoleTest, DrawsInTheCurrentAttributeAndScrollsInABlankRowOfIt) {
  host().reset(4, 3);
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x1E));
  write("ab\ncd\nef");
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x2A));
  write("\n");
  EXPECT_EQ(host().cell(0, 1).attr, 0x1E);
  EXPECT_EQ(host().cell(2, 1).attr, ConsoleHost::kDefaultAttribute);
  EXPECT_EQ(host().cell(0, 2).attr, 0x2A);
  EXPECT_EQ(host().cell(3, 2).attr, 0x2A);
}

TEST_F(WriteConsoleTest, FailsOnTheInputHandle) {
  DWORD written = 5;
  EXPECT_FALSE(WriteConsoleA(in(), "a", 1, &written, nullptr));
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(host().cell(0, 0).ch, ' ');
}

TEST_F(WriteConsoleTest, CursorPlacementClearsAPendingWrapAndFailsOutsideTheBuffer) {
  host().reset(4, 3);
  write("abcd");
  ASSERT_TRUE(SetConsoleCursorPosition(out(), {3, 0}));
  EXPECT_FALSE(host().wrap_pending());
  write("X");
  EXPECT_EQ(row(0), "abcX");
  for (const COORD outside : {COORD{4, 0}, COORD{0, 3}, COORD{-1, 0}}) {
    EXPECT_FALSE(SetConsoleCursorPosition(out(), outside));
  }
  EXPECT_EQ(host().cursor_x(), 3);
  EXPECT_TRUE(host().wrap_pending());
}

class ScrollConsoleScreenBufferTest : public ConsoleTest {
 protected:
  // Rows "r0--" to "r3--" in a buffer four wide and four high.
  void SetUp() override {
    ConsoleTest::SetUp();
    host().reset(4, 4);
    write("r0--r1--r2--r3--");
  }
};

TEST_F(ScrollConsoleScreenBufferTest, MovesTheSourceAndFillsWhatItLeaves) {
  constexpr WORD kFill = 0x1F;
  const SMALL_RECT kClip = {0, 0, 2, 0};
  const struct {
    const char* name;
    SMALL_RECT source;
    const SMALL_RECT* clip;
    COORD destination;
    const char* rows[4];
  } cases[] = {
      // What con_delete_line asks for: the rows below the cursor's, one column too wide.
      {"rows below up", {0, 2, 4, 3}, nullptr, {0, 1}, {"r0--", "r2--", "r3--", "...."}},
      {"an empty source", {0, 4, 4, 3}, nullptr, {0, 3}, {"r0--", "r1--", "r2--", "r3--"}},
      {"uncovered cells", {0, 0, 1, 0}, nullptr, {2, 0}, {"..r0", "r1--", "r2--", "r3--"}},
      {"overlapping", {0, 0, 2, 0}, nullptr, {1, 0}, {".r0-", "r1--", "r2--", "r3--"}},
      {"source clipped to the buffer",
       {-2, 0, 1, 0},
       nullptr,
       {0, 2},
       {"..--", "r1--", "r2r0", "r3--"}},
      {"source outside", {5, 0, 9, 3}, nullptr, {0, 0}, {"r0--", "r1--", "r2--", "r3--"}},
      {"destination partly outside",
       {0, 2, 3, 3},
       nullptr,
       {2, 3},
       {"r0--", "r1--", "....", "..r2"}},
      {"clip rectangle", {0, 0, 3, 0}, &kClip, {2, 0}, {"..r-", "r1--", "r2--", "r3--"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    CHAR_INFO fill{};
    fill.Char.AsciiChar = '.';
    fill.Attributes = kFill;
    ASSERT_TRUE(ScrollConsoleScreenBufferA(out(), &c.source, c.clip, c.destination, &fill));
    for (int y = 0; y < 4; ++y) {
      EXPECT_EQ(row(y), c.rows[y]) << "row " << y;
      for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(host().cell(x, y).attr, c.rows[y][x] == '.' ? kFill : 0x07) << x << "," << y;
      }
    }
  }
}

TEST_F(ScrollConsoleScreenBufferTest, FailsWithoutASourceOrAFill) {
  CHAR_INFO fill{};
  const SMALL_RECT source = {0, 0, 3, 3};
  EXPECT_FALSE(ScrollConsoleScreenBufferA(out(), nullptr, nullptr, {0, 0}, &fill));
  EXPECT_FALSE(ScrollConsoleScreenBufferA(out(), &source, nullptr, {0, 0}, nullptr));
  EXPECT_FALSE(ScrollConsoleScreenBufferA(in(), &source, nullptr, {0, 1}, &fill));
  EXPECT_EQ(row(0), "r0--");
}

}  // namespace
