// The console operations on the headless console host.
#include <gtest/gtest.h>

#include <string>

#include "console/console.h"
#include "headless_session.h"

namespace {

using ConsoleLayerTest = HeadlessSession;

TEST_F(ConsoleLayerTest, ResolveFailsWithoutAConsole) {
  host().set_available(false);
  EXPECT_EQ(con_resolve(), -1);
}

TEST_F(ConsoleLayerTest, CursorShapePacksSizeAndVisibility) {
  start_resolved();
  EXPECT_EQ(con_get_cursor_shape(), 25 * 256 + 1);

  // 0 hides the cursor and keeps its size; the result is the shape before.
  EXPECT_EQ(con_set_cursor_shape(0), 25 * 256 + 1);
  EXPECT_FALSE(host().cursor_visible());
  EXPECT_EQ(host().cursor_size(), 25);
  EXPECT_EQ(con_get_cursor_shape(), 25 * 256);

  // Bit 15 lies outside the size field.
  EXPECT_EQ(con_set_cursor_shape(0x8000 | 100 * 256 | 1), 25 * 256);
  EXPECT_TRUE(host().cursor_visible());
  EXPECT_EQ(host().cursor_size(), 100);

  // A low byte of any non-zero value shows it.
  con_set_cursor_shape(0);
  con_set_cursor_shape(0x40);
  EXPECT_TRUE(host().cursor_visible());
  EXPECT_EQ(host().cursor_size(), 100);
}

TEST_F(ConsoleLayerTest, CursorShapeSavedEarlierRestoresBoth) {
  start_resolved();
  host().set_cursor_info(60, true);
  const int saved = con_get_cursor_shape();
  con_set_cursor_shape(0);
  con_set_cursor_shape(10 * 256 + 1);
  con_set_cursor_shape(saved);
  EXPECT_EQ(host().cursor_size(), 60);
  EXPECT_TRUE(host().cursor_visible());
}

TEST_F(ConsoleLayerTest, FontSizePacksRasterWidthAndHeight) {
  start_resolved();
  EXPECT_EQ(con_get_font_size(), 0x8810);
  host().set_font(12, 16, TMPF_TRUETYPE | TMPF_FIXED_PITCH);
  EXPECT_EQ(con_get_font_size(), 0x0C10);
  host().set_font(8, 12, TMPF_VECTOR);
  EXPECT_EQ(con_get_font_size(), 0x080C);
}

TEST_F(ConsoleLayerTest, FontSizeSetChangesOnlyWidthAndHeight) {
  start_resolved();
  host().set_font(8, 12, TMPF_TRUETYPE);
  con_set_font_size(0x8C10);  // the raster flag is not the setter's to change
  EXPECT_EQ(host().font_width(), 12);
  EXPECT_EQ(host().font_height(), 16);
  EXPECT_EQ(host().font_family(), static_cast<unsigned>(TMPF_TRUETYPE));
}

TEST_F(ConsoleLayerTest, FontSizeOfAConsoleWithoutAFontIsLeftAlone) {
  // A console shown in a terminal reports a font of 0 x 0, which cannot be resized.
  start_resolved();
  host().set_font(0, 0, 0x30);
  con_set_font_size(0x0C10);
  EXPECT_EQ(host().font_width(), 0);
  EXPECT_EQ(host().font_height(), 0);
}

TEST_F(ConsoleLayerTest, WindowSetsBufferAndRestoresWhatResolveRecorded) {
  start_resolved();
  con_set_window(0, 0, 55, 33);
  EXPECT_EQ(host().width(), 55);
  EXPECT_EQ(host().height(), 33);
  EXPECT_EQ(host().window_left(), 0);
  EXPECT_EQ(host().window_top(), 0);
  EXPECT_EQ(host().window_right(), 54);
  EXPECT_EQ(host().window_bottom(), 32);

  for (int round = 0; round < 3; ++round) {
    con_set_window(-1, -1, -1, -1);
    EXPECT_EQ(host().width(), 80);
    EXPECT_EQ(host().height(), 25);
    EXPECT_EQ(host().window_right(), 79);
    EXPECT_EQ(host().window_bottom(), 24);
    con_set_window(0, 0, 55, 33);
  }
}

TEST_F(ConsoleLayerTest, WindowRecordedOnlyOnce) {
  start_resolved();  // records 80 x 25
  con_set_window(0, 0, 40, 10);
  con_set_window(-1, 0, 0, 0);  // any negative value restores; nothing is recorded again
  EXPECT_EQ(host().width(), 80);
  EXPECT_EQ(host().height(), 25);
}

TEST_F(ConsoleLayerTest, WindowGrowsAndShrinksTheBuffer) {
  start_resolved();
  con_set_window(0, 0, 120, 50);  // the window is larger than the old buffer
  EXPECT_EQ(host().width(), 120);
  EXPECT_EQ(host().window_right(), 119);
  EXPECT_EQ(host().window_bottom(), 49);
  con_set_window(0, 0, 20, 5);  // and smaller than the old buffer
  EXPECT_EQ(host().width(), 20);
  EXPECT_EQ(host().height(), 5);
  EXPECT_EQ(host().window_right(), 19);
  EXPECT_EQ(host().window_bottom(), 4);
}

TEST_F(ConsoleLayerTest, DeleteLineMovesTheRowsBelowUp) {
  start_resolved();
  con_set_window(0, 0, 10, 4);
  for (const char* text : {"first\n", "second\n", "third\n", "fourth"}) {
    for (const char* c = text; *c != '\0'; ++c) {
      con_put_char(*c);
    }
  }
  con_set_cursor_pos(3, 1);
  con_delete_line();
  const ScreenSnapshot after = screen();
  EXPECT_EQ(after.row(0), "first");
  EXPECT_EQ(after.row(1), "third");
  EXPECT_EQ(after.row(2), "fourth");
  EXPECT_EQ(after.row(3), "");
  EXPECT_EQ(after.cell(0, 3).attr, 0x0F);  // the new bottom row is white on black
  EXPECT_EQ(host().cursor_x(), 0);
  EXPECT_EQ(host().cursor_y(), 1);
}

TEST_F(ConsoleLayerTest, DeleteLineOnTheLastRowOnlyMovesTheCursor) {
  start_resolved();
  con_set_window(0, 0, 10, 3);
  con_set_cursor_pos(0, 2);
  for (char c : std::string("bottom")) {
    con_put_char(c);
  }
  con_delete_line();
  EXPECT_EQ(screen().row(2), "bottom");
  EXPECT_EQ(host().cursor_x(), 0);
  EXPECT_EQ(host().cursor_y(), 2);
}

TEST_F(ConsoleLayerTest, ClearFillsWithTheCurrentAttribute) {
  start_resolved();
  for (char c : std::string("text")) {
    con_put_char(c);
  }
  con_set_bg(1);
  con_set_fg(14);
  con_clear();
  const ScreenSnapshot after = screen();
  EXPECT_EQ(after.row(0), "");
  EXPECT_EQ(after.cell(0, 0).attr, 0x1E);
  EXPECT_EQ(after.cell(79, 24).attr, 0x1E);
  EXPECT_EQ(host().cursor_x(), 0);
  EXPECT_EQ(host().cursor_y(), 0);
}

TEST_F(ConsoleLayerTest, ColourSettersKeepTheOtherBits) {
  start_resolved();
  SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), 0x0E);
  con_set_bg(1);
  EXPECT_EQ(host().attribute(), 0x1E);
  con_set_fg(12);
  EXPECT_EQ(host().attribute(), 0x1C);
  EXPECT_EQ(con_get_fg(), 12);
  EXPECT_EQ(con_get_bg(), 1);

  SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), 0x4A7);
  con_set_fg(0x1F);  // only the low four bits of the colour count
  EXPECT_EQ(host().attribute(), 0x4AF);
  con_set_bg(0x12);
  EXPECT_EQ(host().attribute(), 0x42F);
}

TEST_F(ConsoleLayerTest, PutCharWritesTheLowByte) {
  start_resolved();
  EXPECT_EQ(con_put_char(0x141), 0x141);
  EXPECT_EQ(host().cell(0, 0).ch, 0x41);
  EXPECT_EQ(host().cursor_x(), 1);
}

TEST_F(ConsoleLayerTest, ReadKeyGivesASignedByteAndRestoresTheMode) {
  start_resolved();
  host().push_keystroke(true, 0xE9);
  EXPECT_EQ(con_read_key(), -23);
  EXPECT_EQ(host().input_mode(), 0x7u);
  EXPECT_EQ(screen().row(0), "");  // not echoed
}

TEST_F(ConsoleLayerTest, ReadKeyEchoWritesTheKey) {
  start_resolved();
  host().push_keystroke(true, 'q');
  EXPECT_EQ(con_read_key_echo(), 'q');
  EXPECT_EQ(screen().row(0), "q");
}

TEST_F(ConsoleLayerTest, ReadKeyPassesOverKeysWithoutACharacter) {
  start_resolved();
  host().push_keystroke(false, 0);
  host().push_keystroke(true, 'w');
  EXPECT_EQ(con_read_key(), 'w');
}

TEST_F(ConsoleLayerTest, ReadKeyAfterTheInputEndedSaysSo) {
  start_resolved();
  EXPECT_EQ(con_read_key(), kInputEnded);
  EXPECT_EQ(con_read_key_echo(), kInputEnded);
  EXPECT_EQ(screen().row(0), "");  // nothing echoed
}

TEST_F(ConsoleLayerTest, ReadKeyTakesTheNextScriptLineWhenNothingIsQueued) {
  start_resolved("5 ab\n");
  EXPECT_EQ(con_read_key(), 'a');
  EXPECT_EQ(con_read_key(), 'b');
  EXPECT_EQ(con_read_key(), kInputEnded);
}

TEST_F(ConsoleLayerTest, KeyWaitingIgnoresKeyUpEventsAndLeavesThemQueued) {
  start_resolved();
  host().push_key({false, true, 'a'});
  host().push_key({false, false, 0});
  EXPECT_EQ(con_key_waiting(), 0);
  EXPECT_EQ(host().input_queue().size(), 2u);
  EXPECT_EQ(host().input_mode(), 0x7u);
}

TEST_F(ConsoleLayerTest, KeyWaitingSeesAPressWithoutConsumingIt) {
  start_resolved();
  EXPECT_EQ(con_key_waiting(), 0);
  host().push_keystroke(true, 'd');
  EXPECT_EQ(con_key_waiting(), 1);
  EXPECT_EQ(con_key_waiting(), 1);
  EXPECT_EQ(con_read_key(), 'd');
  EXPECT_EQ(con_key_waiting(), 0);  // only the release is left
}

TEST_F(ConsoleLayerTest, CharWaitingPassesOverKeysWithoutACharacter) {
  start_resolved();
  host().push_keystroke(false, 0);
  EXPECT_EQ(con_key_waiting(), 1);
  EXPECT_EQ(con_char_waiting(), 0);
  host().push_keystroke(true, 's');
  EXPECT_EQ(con_char_waiting(), 1);
  EXPECT_EQ(con_read_key(), 's');
  EXPECT_EQ(con_char_waiting(), 0);
}

TEST_F(ConsoleLayerTest, MissingFunctionsAreSkipped) {
  host().hide_function("SetConsoleCursorPosition");
  host().hide_function("GetCurrentConsoleFontEx");
  host().hide_function("SetConsoleTitleA");
  host().hide_function("PeekConsoleInputA");
  start_resolved();
  con_set_cursor_pos(5, 5);
  EXPECT_EQ(host().cursor_x(), 0);
  EXPECT_EQ(host().cursor_y(), 0);
  EXPECT_EQ(con_get_font_size(), 0);
  con_set_font_size(0x0C10);
  EXPECT_EQ(host().font_width(), 8);
  con_set_title("Mazewick 1.0");
  EXPECT_EQ(host().title(), "");
  host().push_keystroke(true, 'w');
  EXPECT_EQ(con_key_waiting(), 0);
}

TEST_F(ConsoleLayerTest, WithoutBufferInformationColoursFallBackAndNothingIsRecorded) {
  host().hide_function("GetConsoleScreenBufferInfo");
  start_resolved();
  SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), 0x1E);
  EXPECT_EQ(con_get_fg(), 7);
  EXPECT_EQ(con_get_bg(), 0);
  con_set_window(0, 0, 55, 33);
  con_set_window(-1, -1, -1, -1);  // nothing was recorded, so nothing is restored
  EXPECT_EQ(host().width(), 55);
  con_set_cursor_pos(1, 1);
  con_delete_line();  // the cursor's row is unknown: nothing moves
  EXPECT_EQ(host().cursor_x(), 1);
}

TEST_F(ConsoleLayerTest, TitleAndSleep) {
  start_resolved();
  con_set_title("Mazewick 1.0");
  EXPECT_EQ(host().title(), "Mazewick 1.0");
  EXPECT_EQ(con_sleep(100), 0);
  EXPECT_EQ(pauses(), 1u);
}

TEST_F(ConsoleLayerTest, MemoryComesAndGoes) {
  start_resolved();
  auto* block = static_cast<unsigned char*>(mem_alloc(4096));
  ASSERT_NE(block, nullptr);
  block[0] = 1;
  block[4095] = 2;
  mem_free(block);
  mem_free(nullptr);
}

}  // namespace
