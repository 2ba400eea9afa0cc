#include "console_fixture.h"

namespace {

using GetConsoleScreenBufferInfoTest = ConsoleTest;

TEST_F(GetConsoleScreenBufferInfoTest, ReportsAFreshConsole) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  ASSERT_TRUE(GetConsoleScreenBufferInfo(out(), &info));
  EXPECT_EQ(info.dwSize.X, 80);
  EXPECT_EQ(info.dwSize.Y, 25);
  EXPECT_EQ(info.dwCursorPosition.X, 0);
  EXPECT_EQ(info.dwCursorPosition.Y, 0);
  EXPECT_EQ(info.wAttributes, 0x07);
  EXPECT_EQ(info.srWindow.Left, 0);
  EXPECT_EQ(info.srWindow.Top, 0);
  EXPECT_EQ(info.srWindow.Right, 79);
  EXPECT_EQ(info.srWindow.Bottom, 24);
}

TEST_F(GetConsoleScreenBufferInfoTest, ReportsTheAttributeAboveTheLowEightBits) {
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x41E));
  CONSOLE_SCREEN_BUFFER_INFO info{};
  ASSERT_TRUE(GetConsoleScreenBufferInfo(out(), &info));
  EXPECT_EQ(info.wAttributes, 0x41E);
}

using SetConsoleScreenBufferSizeTest = ConsoleTest;

TEST_F(SetConsoleScreenBufferSizeTest, KeepsTheOverlapAndBlanksNewCells) {
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x2E));
  write("abc\ndef");
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {2, 3}));
  EXPECT_EQ(host().width(), 2);
  EXPECT_EQ(row(0), "ab");
  EXPECT_EQ(row(1), "de");
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {3, 4}));
  EXPECT_EQ(row(0), "ab ");
  EXPECT_EQ(host().cell(2, 0).attr, 0x07);
  EXPECT_EQ(host().cell(1, 0).attr, 0x2E);
  EXPECT_EQ(row(3), "   ");
}

TEST_F(SetConsoleScreenBufferSizeTest, AnySizeFromOneByOneSucceeds) {
  EXPECT_TRUE(SetConsoleScreenBufferSize(out(), {1, 1}));
  EXPECT_TRUE(SetConsoleScreenBufferSize(out(), {55, 33}));
  EXPECT_FALSE(SetConsoleScreenBufferSize(out(), {0, 5}));
  EXPECT_FALSE(SetConsoleScreenBufferSize(out(), {5, -1}));
  EXPECT_EQ(host().width(), 55);
  EXPECT_EQ(host().height(), 33);
}

TEST_F(SetConsoleScreenBufferSizeTest, ClipsTheWindowToTheNewBuffer) {
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {55, 33}));
  EXPECT_EQ(host().window_right(), 54);
  EXPECT_EQ(host().window_bottom(), 24);
}

TEST_F(SetConsoleScreenBufferSizeTest, ClampsACursorOutsideTheNewBufferAndDropsAPendingWrap) {
  ASSERT_TRUE(SetConsoleCursorPosition(out(), {70, 20}));
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {55, 10}));
  EXPECT_EQ(host().cursor_x(), 54);
  EXPECT_EQ(host().cursor_y(), 9);
  write(std::string(1, 'x'));
  EXPECT_TRUE(host().wrap_pending());
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {55, 5}));
  EXPECT_FALSE(host().wrap_pending());
  write("y");
  EXPECT_EQ(host().cell(54, 4).ch, 'y');
}

TEST_F(SetConsoleScreenBufferSizeTest, AWiderBufferGoesOnRightAfterAPendingWrap) {
  host().reset(4, 3);
  write("abcd");
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {6, 3}));
  EXPECT_FALSE(host().wrap_pending());
  EXPECT_EQ(host().cursor_x(), 4);
  write("e");
  EXPECT_EQ(row(0), "abcde ");
}

TEST_F(SetConsoleScreenBufferSizeTest, ANarrowerBufferDropsAPendingWrap) {
  host().reset(4, 3);
  write("abcd");
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {3, 3}));
  EXPECT_FALSE(host().wrap_pending());
  EXPECT_EQ(host().cursor_x(), 2);
  write("e");
  EXPECT_EQ(row(0), "abe");
}

using SetConsoleWindowInfoTest = ConsoleTest;

TEST_F(SetConsoleWindowInfoTest, SetsARectangleInsideTheBuffer) {
  const SMALL_RECT window = {0, 0, 54, 24};
  ASSERT_TRUE(SetConsoleWindowInfo(out(), TRUE, &window));
  EXPECT_EQ(host().window_right(), 54);
  EXPECT_EQ(host().window_bottom(), 24);
}

TEST_F(SetConsoleWindowInfoTest, FailsOutsideTheBufferAndChangesNothing) {
  const SMALL_RECT taller = {0, 0, 54, 32};
  const SMALL_RECT negative = {-1, 0, 10, 10};
  const SMALL_RECT reversed = {10, 0, 5, 10};
  EXPECT_FALSE(SetConsoleWindowInfo(out(), TRUE, &taller));
  EXPECT_FALSE(SetConsoleWindowInfo(out(), TRUE, &negative));
  EXPECT_FALSE(SetConsoleWindowInfo(out(), TRUE, &reversed));
  EXPECT_FALSE(SetConsoleWindowInfo(out(), TRUE, nullptr));
  EXPECT_EQ(host().window_right(), 79);
  EXPECT_EQ(host().window_bottom(), 24);
}

TEST_F(SetConsoleWindowInfoTest, TheGamesSequenceSizesWindowAndBufferTo55By33) {
  // Window first (refused while the buffer is too short), then buffer, then window again.
  const SMALL_RECT window = {0, 0, 54, 32};
  EXPECT_FALSE(SetConsoleWindowInfo(out(), TRUE, &window));
  EXPECT_TRUE(SetConsoleActiveScreenBuffer(out()));
  EXPECT_TRUE(SetConsoleScreenBufferSize(out(), {55, 33}));
  EXPECT_TRUE(SetConsoleWindowInfo(out(), TRUE, &window));
  CONSOLE_SCREEN_BUFFER_INFO info{};
  ASSERT_TRUE(GetConsoleScreenBufferInfo(out(), &info));
  EXPECT_EQ(info.dwSize.X, 55);
  EXPECT_EQ(info.dwSize.Y, 33);
  EXPECT_EQ(info.srWindow.Right, 54);
  EXPECT_EQ(info.srWindow.Bottom, 32);
}

TEST_F(SetConsoleWindowInfoTest, RelativeRectangleMovesTheEdges) {
  const SMALL_RECT shrink = {0, 0, -10, -5};
  ASSERT_TRUE(SetConsoleWindowInfo(out(), FALSE, &shrink));
  EXPECT_EQ(host().window_right(), 69);
  EXPECT_EQ(host().window_bottom(), 19);
}

using FillConsoleOutputTest = ConsoleTest;

TEST_F(FillConsoleOutputTest, CharactersRunOnAcrossRowsAndKeepAttributesAndCursor) {
  host().reset(4, 3);
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x1E));
  write("ab");
  DWORD written = 0;
  ASSERT_TRUE(FillConsoleOutputCharacterA(out(), '#', 5, {2, 0}, &written));
  EXPECT_EQ(written, 5u);
  EXPECT_EQ(row(0), "ab##");
  EXPECT_EQ(row(1), "### ");
  EXPECT_EQ(host().cell(0, 0).attr, 0x1E);
  EXPECT_EQ(host().cell(2, 0).attr, 0x07);
  EXPECT_EQ(host().cursor_x(), 2);
}

TEST_F(FillConsoleOutputTest, StopsAtTheEndOfTheBuffer) {
  host().reset(4, 3);
  DWORD written = 0;
  ASSERT_TRUE(FillConsoleOutputAttribute(out(), 0x4F, 100, {0, 0}, &written));
  EXPECT_EQ(written, 12u);
  EXPECT_EQ(host().cell(3, 2).attr, 0x4F);
  EXPECT_EQ(host().cell(3, 2).ch, ' ');
}

TEST_F(FillConsoleOutputTest, FailsOutsideTheBuffer) {
  DWORD written = 7;
  EXPECT_FALSE(FillConsoleOutputCharacterA(out(), '#', 1, {80, 0}, &written));
  EXPECT_FALSE(FillConsoleOutputAttribute(out(), 0x4F, 1, {0, 25}, &written));
  EXPECT_EQ(host().cell(0, 0).attr, 0x07);
}

}  // namespace
