#include "console_fixture.h"

namespace {

using ScreenBufferTest = ConsoleTest;

TEST_F(ScreenBufferTest, AFreshConsoleIs80By25WithEverythingAtItsStart) {
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
  CONSOLE_CURSOR_INFO cursor{};
  ASSERT_TRUE(GetConsoleCursorInfo(out(), &cursor));
  EXPECT_EQ(cursor.dwSize, 25u);
  EXPECT_EQ(cursor.bVisible, TRUE);
  EXPECT_EQ(host().title(), "");
  // Attribute bits above the low eight are kept and reported.
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x41E));
  ASSERT_TRUE(GetConsoleScreenBufferInfo(out(), &info));
  EXPECT_EQ(info.wAttributes, 0x41E);
}

TEST_F(ScreenBufferTest, AnySizeFromOneByOneKeepsTheOverlapAndBlanksNewCells) {
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x2E));
  write("abc\ndef");
  // Never smaller than the window, 80 x 25 here, in either dimension.
  for (const COORD smaller : {COORD{79, 25}, COORD{80, 24}, COORD{55, 33}, COORD{0, 5}}) {
    EXPECT_FALSE(SetConsoleScreenBufferSize(out(), smaller));
  }
  EXPECT_EQ(host().width(), 80);
  EXPECT_EQ(host().height(), 25);
  const SMALL_RECT one_cell = {0, 0, 0, 0};
  ASSERT_TRUE(SetConsoleWindowInfo(out(), TRUE, &one_cell));
  EXPECT_FALSE(SetConsoleScreenBufferSize(out(), {5, -1}));
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {2, 3}));
  EXPECT_EQ(row(0), "ab");
  EXPECT_EQ(row(1), "de");
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {1, 1}));
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {3, 4}));
  EXPECT_EQ(row(0), "a  ");
  EXPECT_EQ(row(3), "   ");
  EXPECT_EQ(host().cell(0, 0).attr, 0x2E);
  EXPECT_EQ(host().cell(1, 0).attr, 0x07);
}

TEST_F(ScreenBufferTest, ACursorOrAWindowOutsideTheNewBufferMovesBackInside) {
  const SMALL_RECT corner = {70, 20, 79, 24};
  ASSERT_TRUE(SetConsoleWindowInfo(out(), TRUE, &corner));
  ASSERT_TRUE(SetConsoleCursorPosition(out(), {70, 20}));
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {55, 10}));
  EXPECT_EQ(host().cursor_x(), 54);
  EXPECT_EQ(host().cursor_y(), 9);
  // The window keeps its size.
  EXPECT_EQ(host().window_left(), 45);
  EXPECT_EQ(host().window_top(), 5);
  EXPECT_EQ(host().window_right(), 54);
  EXPECT_EQ(host().window_bottom(), 9);
}

TEST_F(ScreenBufferTest, WindowRectanglesMustLieInsideTheBuffer) {
  for (const SMALL_RECT& outside :
       {SMALL_RECT{0, 0, 54, 32}, SMALL_RECT{-1, 0, 10, 10}, SMALL_RECT{10, 0, 5, 10}}) {
    EXPECT_FALSE(SetConsoleWindowInfo(out(), TRUE, &outside));
  }
  EXPECT_FALSE(SetConsoleWindowInfo(out(), TRUE, nullptr));
  EXPECT_EQ(host().window_right(), 79);
  const SMALL_RECT inside = {0, 0, 54, 24};
  ASSERT_TRUE(SetConsoleWindowInfo(out(), TRUE, &inside));
  EXPECT_EQ(host().window_right(), 54);
  EXPECT_EQ(host().window_bottom(), 24);
  // A relative rectangle moves the edges.
  const SMALL_RECT shrink = {0, 0, -10, -5};
  ASSERT_TRUE(SetConsoleWindowInfo(out(), FALSE, &shrink));
  EXPECT_EQ(host().window_right(), 44);
  EXPECT_EQ(host().window_bottom(), 19);
}

TEST_F(ScreenBufferTest, FillsRunOnAcrossRowsAndStopAtTheEnd) {
  host().reset(4, 3);
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x1E));
  write("ab");
  DWORD written = 0;
  ASSERT_TRUE(FillConsoleOutputCharacterA(out(), '#', 5, {2, 0}, &written));
  EXPECT_EQ(written, 5u);
  EXPECT_EQ(row(0), "ab##");
  EXPECT_EQ(row(1), "### ");
  EXPECT_EQ(host().cell(2, 0).attr, 0x07);
  EXPECT_EQ(host().cursor_x(), 2);
  ASSERT_TRUE(FillConsoleOutputAttribute(out(), 0x4F, 100, {0, 1}, &written));
  EXPECT_EQ(written, 8u);
  EXPECT_EQ(host().cell(3, 2).attr, 0x4F);
  EXPECT_EQ(host().cell(0, 0).attr, 0x1E);
  EXPECT_EQ(row(1), "### ");
  EXPECT_FALSE(FillConsoleOutputCharacterA(out(), '#', 1, {4, 0}, &written));
  EXPECT_FALSE(FillConsoleOutputAttribute(out(), 0x4F, 1, {0, 3}, &written));
}

TEST_F(ScreenBufferTest, CursorSizesFrom1To100) {
  CONSOLE_CURSOR_INFO hidden = {1, FALSE};
  ASSERT_TRUE(SetConsoleCursorInfo(out(), &hidden));
  EXPECT_FALSE(host().cursor_visible());
  EXPECT_EQ(host().cursor_size(), 1);
  for (CONSOLE_CURSOR_INFO bad : {CONSOLE_CURSOR_INFO{0, TRUE}, CONSOLE_CURSOR_INFO{101, TRUE}}) {
    EXPECT_FALSE(SetConsoleCursorInfo(out(), &bad));
  }
  EXPECT_FALSE(host().cursor_visible());
  EXPECT_EQ(host().cursor_size(), 1);
  CONSOLE_CURSOR_INFO full = {100, TRUE};
  ASSERT_TRUE(SetConsoleCursorInfo(out(), &full));
  EXPECT_TRUE(host().cursor_visible());
  EXPECT_EQ(host().cursor_size(), 100);
}

TEST_F(ScreenBufferTest, TheFontReadBackWithANewSizeKeepsItsFamily) {
  host().set_font(8, 16, TMPF_TRUETYPE | 0x30);
  CONSOLE_FONT_INFOEX font{};
  font.cbSize = sizeof(font);
  ASSERT_EQ(sizeof(font), 84u);
  ASSERT_TRUE(GetCurrentConsoleFontEx(out(), FALSE, &font));
  font.dwFontSize = {0, 16};
  EXPECT_FALSE(SetCurrentConsoleFontEx(out(), FALSE, &font));
  font.dwFontSize = {11, 18};
  font.cbSize = sizeof(font) - 4;
  EXPECT_FALSE(SetCurrentConsoleFontEx(out(), FALSE, &font));
  EXPECT_FALSE(GetCurrentConsoleFontEx(out(), FALSE, &font));
  EXPECT_EQ(host().font_width(), 8);
  font.cbSize = sizeof(font);
  ASSERT_TRUE(SetCurrentConsoleFontEx(out(), FALSE, &font));
  EXPECT_EQ(host().font_width(), 11);
  EXPECT_EQ(host().font_height(), 18);
  EXPECT_EQ(host().font_family(), TMPF_TRUETYPE | 0x30u);
}

TEST_F(ScreenBufferTest, ModesAndTitle) {
  DWORD mode = 0;
  ASSERT_TRUE(GetConsoleMode(in(), &mode));
  EXPECT_EQ(mode, 7u);
  ASSERT_TRUE(SetConsoleMode(in(), 1));
  EXPECT_EQ(host().input_mode(), 1u);
  // Output starts processed and wrapping at the end of a row; each handle keeps its own mode.
  ASSERT_TRUE(GetConsoleMode(out(), &mode));
  EXPECT_EQ(mode, 3u);
  ASSERT_TRUE(SetConsoleMode(out(), 5));
  ASSERT_TRUE(GetConsoleMode(out(), &mode));
  EXPECT_EQ(mode, 5u);
  EXPECT_EQ(host().input_mode(), 1u);
  ASSERT_TRUE(SetConsoleTitleA("Mazewick 1.0"));
  EXPECT_EQ(host().title(), "Mazewick 1.0");
  EXPECT_FALSE(SetConsoleTitleA(nullptr));
}

}  // namespace
