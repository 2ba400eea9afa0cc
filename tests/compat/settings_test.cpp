#include "console_fixture.h"

namespace {

using ConsoleCursorInfoTest = ConsoleTest;

TEST_F(ConsoleCursorInfoTest, AFreshCursorIsVisibleWithSize25) {
  CONSOLE_CURSOR_INFO info{};
  ASSERT_TRUE(GetConsoleCursorInfo(out(), &info));
  EXPECT_EQ(info.dwSize, 25u);
  EXPECT_EQ(info.bVisible, TRUE);
}

TEST_F(ConsoleCursorInfoTest, SizesFrom1To100AreTaken) {
  CONSOLE_CURSOR_INFO hidden = {1, FALSE};
  ASSERT_TRUE(SetConsoleCursorInfo(out(), &hidden));
  EXPECT_FALSE(host().cursor_visible());
  EXPECT_EQ(host().cursor_size(), 1);
  CONSOLE_CURSOR_INFO full = {100, TRUE};
  ASSERT_TRUE(SetConsoleCursorInfo(out(), &full));
  EXPECT_TRUE(host().cursor_visible());
  EXPECT_EQ(host().cursor_size(), 100);
}

TEST_F(ConsoleCursorInfoTest, SizesOutside1To100FailAndChangeNothing) {
  CONSOLE_CURSOR_INFO none = {0, FALSE};
  CONSOLE_CURSOR_INFO over = {101, FALSE};
  EXPECT_FALSE(SetConsoleCursorInfo(out(), &none));
  EXPECT_FALSE(SetConsoleCursorInfo(out(), &over));
  EXPECT_TRUE(host().cursor_visible());
  EXPECT_EQ(host().cursor_size(), 25);
}

using ConsoleFontTest = ConsoleTest;

TEST_F(ConsoleFontTest, AFreshFontIsAn8By16RasterFont) {
  CONSOLE_FONT_INFOEX font{};
  font.cbSize = sizeof(font);
  ASSERT_EQ(sizeof(font), 84u);
  ASSERT_TRUE(GetCurrentConsoleFontEx(out(), FALSE, &font));
  EXPECT_EQ(font.dwFontSize.X, 8);
  EXPECT_EQ(font.dwFontSize.Y, 16);
  EXPECT_EQ(font.FontFamily & (TMPF_VECTOR | TMPF_TRUETYPE), 0u);
}

TEST_F(ConsoleFontTest, SettingBackTheReadFontWithANewSizeKeepsTheFamily) {
  host().set_font(8, 16, TMPF_TRUETYPE | 0x30);
  CONSOLE_FONT_INFOEX font{};
  font.cbSize = sizeof(font);
  ASSERT_TRUE(GetCurrentConsoleFontEx(out(), FALSE, &font));
  font.dwFontSize = {11, 18};
  ASSERT_TRUE(SetCurrentConsoleFontEx(out(), FALSE, &font));
  EXPECT_EQ(host().font_width(), 11);
  EXPECT_EQ(host().font_height(), 18);
  EXPECT_EQ(host().font_family(), TMPF_TRUETYPE | 0x30u);
}

TEST_F(ConsoleFontTest, AWrongStructureSizeFails) {
  CONSOLE_FONT_INFOEX font{};
  font.cbSize = sizeof(font) - 4;
  font.dwFontSize = {12, 16};
  EXPECT_FALSE(GetCurrentConsoleFontEx(out(), FALSE, &font));
  EXPECT_FALSE(SetCurrentConsoleFontEx(out(), FALSE, &font));
  EXPECT_EQ(host().font_width(), 8);
}

TEST_F(ConsoleFontTest, AnEmptyFontSizeFails) {
  CONSOLE_FONT_INFOEX font{};
  font.cbSize = sizeof(font);
  font.dwFontSize = {0, 16};
  EXPECT_FALSE(SetCurrentConsoleFontEx(out(), FALSE, &font));
  EXPECT_EQ(host().font_width(), 8);
}

using ConsoleModeTest = ConsoleTest;

TEST_F(ConsoleModeTest, InputModeStartsAt7AndIsSetBack) {
  DWORD mode = 0;
  ASSERT_TRUE(GetConsoleMode(in(), &mode));
  EXPECT_EQ(mode, 7u);
  ASSERT_TRUE(
      SetConsoleMode(in(), mode & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT)));
  EXPECT_EQ(host().input_mode(), 1u);
  ASSERT_TRUE(SetConsoleMode(in(), mode));
  EXPECT_EQ(host().input_mode(), 7u);
}

TEST_F(ConsoleModeTest, OutputHandleReportsProcessedWrappingOutputAndTakesNoMode) {
  DWORD mode = 0;
  ASSERT_TRUE(GetConsoleMode(out(), &mode));
  EXPECT_EQ(mode, 3u);
  EXPECT_FALSE(SetConsoleMode(out(), 0));
  EXPECT_EQ(host().input_mode(), 7u);
}

using SetConsoleTitleTest = ConsoleTest;

TEST_F(SetConsoleTitleTest, SetsTheTitle) {
  EXPECT_EQ(host().title(), "");
  ASSERT_TRUE(SetConsoleTitleA("Mazewick 1.0"));
  EXPECT_EQ(host().title(), "Mazewick 1.0");
  EXPECT_FALSE(SetConsoleTitleA(nullptr));
}

}  // namespace
