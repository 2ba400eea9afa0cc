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

TEST_F(WriteConsoleTest, OutputModes) {
  constexpr DWORD kProcessed = ENABLE_PROCESSED_OUTPUT;
  constexpr DWORD kWrapping = ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT;
  const struct {
    const char* name;
    DWORD mode;
    int width;
    int height;
    std::string bytes;
    std::vector<std::string> rows;
    int cursor_x;
    int cursor_y;
  } cases[] = {
      {"other control bytes are glyphs",
       kWrapping,
       6,
       2,
       "\x01\x1B\x7F\xDB",
       {"\x01\x1B\x7F\xDB  "},
       4,
       0},
      {"bell draws nothing", kWrapping, 6, 2, "a\ab", {"ab    "}, 2, 0},
      {"backspace not past column 0", kWrapping, 6, 2, "abc\b\bX\r\b\b", {"aXc   "}, 0, 0},
      {"tab stops end at the last column",
       kWrapping,
       20,
       2,
       "ab\tc\td\te",
       {"ab      c       d  e", std::string(20, ' ')},
       0,
       1},
      {"line feed", kWrapping, 6, 2, "abc\nd", {"abc   ", "d     "}, 1, 1},
      {"carriage return", kWrapping, 6, 2, "abc\rX", {"Xbc   "}, 1, 0},
      {"line feed on the bottom row scrolls",
       kWrapping,
       4,
       3,
       "top\nmid\nbot\n",
       {"mid ", "bot ", "    "},
       0,
       2},
      {"the last column wraps at once", kWrapping, 4, 3, "abcd", {"abcd", "    "}, 0, 1},
      {"so a full row and a line feed take two rows",
       kWrapping,
       4,
       3,
       "abcd\nef",
       {"abcd", "    ", "ef  "},
       2,
       2},
      {"a wrap on the bottom row scrolls", kWrapping, 2, 2, "abcde", {"cd", "e "}, 1, 1},
      {"without wrap the cursor stays in the last column",
       kProcessed,
       4,
       3,
       "abcd",
       {"abcd"},
       3,
       0},
      {"and the next byte takes its place", kProcessed, 4, 3, "abcdef", {"abcf", "    "}, 3, 0},
      {"a full row and a line feed take one row",
       kProcessed,
       4,
       3,
       "abcd\nef",
       {"abcd", "ef  ", "    "},
       2,
       1},
      {"backspace from the last column", kProcessed, 4, 3, "abcd\bX", {"abXd"}, 3, 0},
      {"unprocessed control bytes are glyphs",
       ENABLE_WRAP_AT_EOL_OUTPUT,
       8,
       2,
       "a\n\r\b\a\t",
       {"a\n\r\b\a\t  ", "        "},
       6,
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host().reset(c.width, c.height);
    ASSERT_TRUE(SetConsoleMode(out(), c.mode));
    EXPECT_EQ(write(c.bytes), c.bytes.size());
    for (size_t y = 0; y < c.rows.size(); ++y) {
      EXPECT_EQ(row(static_cast<int>(y)), c.rows[y]) << "row " << y;
    }
    EXPECT_EQ(reported_cursor().X, c.cursor_x);
    EXPECT_EQ(reported_cursor().Y, c.cursor_y);
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

TEST_F(WriteConsoleTest, CursorPlacementFailsOutsideTheBuffer) {
  host().reset(4, 3);
  ASSERT_TRUE(SetConsoleCursorPosition(out(), {3, 1}));
  write("X");
  EXPECT_EQ(row(1), "   X");
  for (const COORD outside : {COORD{4, 0}, COORD{0, 3}, COORD{-1, 0}}) {
    EXPECT_FALSE(SetConsoleCursorPosition(out(), outside));
  }
  EXPECT_EQ(host().cursor_x(), 0);
  EXPECT_EQ(host().cursor_y(), 2);
}

class ScrollConsoleScreenBufferTest : public ConsoleTest {
 protected:
  // Rows "r0--" to "r3--" in a buffer four wide and four high.
  void SetUp() override {
    ConsoleTest::SetUp();
    host().reset(4, 4);
    SetConsoleMode(out(), ENABLE_PROCESSED_OUTPUT);  // the last cell is written without a scroll
    write("r0--\nr1--\nr2--\nr3--");
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
