// The console operations on the headless console host.
#include <gtest/gtest.h>

#include <string>

#include "console/console.h"
#include "headless_session.h"

namespace {

class ConsoleLayerTest : public HeadlessSession {
 protected:
  static void put(const std::string& text) {
    for (const char c : text) {
      con_put_char(c);
    }
  }
};

TEST_F(ConsoleLayerTest, ResolveFailsWithoutAConsole) {
  host().set_available(false);
  EXPECT_EQ(con_resolve(), -1);
}

TEST_F(ConsoleLayerTest, CursorShapePacksSizeAndVisibilityAndASavedShapeRestoresBoth) {
  start_resolved();
  host().set_cursor_info(60, true);
  const int saved = con_get_cursor_shape();
  EXPECT_EQ(saved, 60 * 256 + 1);
  // 0 hides the cursor and keeps its size; the result is the shape before.
  EXPECT_EQ(con_set_cursor_shape(0), saved);
  EXPECT_FALSE(host().cursor_visible());
  EXPECT_EQ(con_get_cursor_shape(), 60 * 256);
  // Bit 15 lies outside the size field; a low byte of any non-zero value shows the cursor.
  EXPECT_EQ(con_set_cursor_shape(0x8000 | 100 * 256 | 0x40), 60 * 256);
  EXPECT_TRUE(host().cursor_visible());
  EXPECT_EQ(host().cursor_size(), 100);
  con_set_cursor_shape(saved);
  EXPECT_EQ(host().cursor_size(), 60);
  EXPECT_TRUE(host().cursor_visible());
}

TEST_F(ConsoleLayerTest, FontSizePacksRasterWidthAndHeightAndSetsOnlyWidthAndHeight) {
  start_resolved();
  EXPECT_EQ(con_get_font_size(), 0x8810);
  host().set_font(12, 16, TMPF_TRUETYPE | TMPF_FIXED_PITCH);
  EXPECT_EQ(con_get_font_size(), 0x0C10);
  host().set_font(8, 12, TMPF_VECTOR);
  EXPECT_EQ(con_get_font_size(), 0x080C);
  con_set_font_size(0x8B12);  // the raster flag is not the setter's to change
  EXPECT_EQ(host().font_width(), 11);
  EXPECT_EQ(host().font_height(), 18);
  EXPECT_EQ(host().font_family(), static_cast<unsigned>(TMPF_VECTOR));
  // A console shown in a terminal reports a font of 0 x 0, which cannot be resized.
  host().set_font(0, 0, 0x30);
  con_set_font_size(0x0C10);
  EXPECT_EQ(host().font_width(), 0);
  EXPECT_EQ(host().font_height(), 0);
}

TEST_F(ConsoleLayerTest, WindowSetsTheBufferAndRestoresWhatResolveRecordedHoweverOften) {
  start_resolved();  // records 80 x 25
  for (int round = 0; round < 3; ++round) {
    con_set_window(0, 0, 55, 33);
    EXPECT_EQ(host().width(), 55);
    EXPECT_EQ(host().height(), 33);
    EXPECT_EQ(host().window_left(), 0);
    EXPECT_EQ(host().window_top(), 0);
    EXPECT_EQ(host().window_right(), 54);
    EXPECT_EQ(host().window_bottom(), 32);
    con_set_window(-1, 0, 0, 0);  // any negative value restores; nothing is recorded again
    EXPECT_EQ(host().width(), 80);
    EXPECT_EQ(host().height(), 25);
    EXPECT_EQ(host().window_right(), 79);
    EXPECT_EQ(host().window_bottom(), 24);
  }
  // Larger and smaller than the buffer before.
  con_set_window(0, 0, 120, 50);
  EXPECT_EQ(host().window_right(), 119);
  EXPECT_EQ(host().window_bottom(), 49);
  con_set_window(0, 0, 20, 5);
  EXPECT_EQ(host().width(), 20);
  EXPECT_EQ(host().height(), 5);
  EXPECT_EQ(host().window_bottom(), 4);
}

TEST_F(ConsoleLayerTest, DeleteLineMovesTheRowsBelowUpAndOnTheLastRowOnlyTheCursor) {
  start_resolved();
  con_set_window(0, 0, 10, 4);
  con_disable_wrap();
  put("first\nsecond\nthird\nfourth");
  con_set_cursor_pos(3, 1);
  con_delete_line();
  ScreenSnapshot after = screen();
  EXPECT_EQ(after.row(0), "first");
  EXPECT_EQ(after.row(1), "third");
  EXPECT_EQ(after.row(2), "fourth");
  EXPECT_EQ(after.row(3), "");
  EXPECT_EQ(after.cell(0, 3).attr, 0x0F);  // the new bottom row is white on black
  EXPECT_EQ(host().cursor_x(), 0);
  EXPECT_EQ(host().cursor_y(), 1);
  con_set_cursor_pos(4, 3);
  put("bottom");
  con_delete_line();
  after = screen();
  EXPECT_EQ(after.row(3), "    bottom");
  EXPECT_EQ(host().cursor_x(), 0);
  EXPECT_EQ(host().cursor_y(), 3);
}

TEST_F(ConsoleLayerTest, ClearFillsWithTheCurrentAttribute) {
  start_resolved();
  put("text");
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

TEST_F(ConsoleLayerTest, PutCharWritesTheLowByteAndReadsGiveSignedBytes) {
  start_resolved("5 ab\n");
  EXPECT_EQ(con_put_char(0x141), 0x141);
  EXPECT_EQ(host().cell(0, 0).ch, 0x41);
  EXPECT_EQ(host().cursor_x(), 1);
  host().push_keystroke(false, 0);
  host().push_keystroke(true, 0xE9);
  EXPECT_EQ(con_read_key(), -23);
  EXPECT_EQ(host().input_mode(), 0x7u);
  EXPECT_EQ(screen().row(0), "A");  // not echoed
  // With nothing queued, the next script line is taken.
  EXPECT_EQ(con_read_key_echo(), 'a');
  EXPECT_EQ(con_read_key(), 'b');
  EXPECT_EQ(screen().row(0), "Aa");
  EXPECT_EQ(con_read_key(), kInputEnded);
  EXPECT_EQ(con_read_key_echo(), kInputEnded);
  EXPECT_EQ(screen().row(0), "Aa");  // nothing echoed
}

TEST_F(ConsoleLayerTest, KeyWaitingLooksAtKeyPressesWithoutConsumingThem) {
  start_resolved();
  EXPECT_EQ(con_key_waiting(), 0);
  host().push_key({false, true, 'a'});
  host().push_key({false, false, 0});
  EXPECT_EQ(con_key_waiting(), 0);
  EXPECT_EQ(host().input_queue().size(), 2u);
  EXPECT_EQ(host().input_mode(), 0x7u);
  host().push_keystroke(false, 0);
  EXPECT_EQ(con_key_waiting(), 1);
  EXPECT_EQ(con_char_waiting(), 0);
  host().push_keystroke(true, 'd');
  EXPECT_EQ(con_key_waiting(), 1);
  EXPECT_EQ(con_char_waiting(), 1);
  EXPECT_EQ(con_read_key(), 'd');
  EXPECT_EQ(con_key_waiting(), 0);  // only releases are left
  EXPECT_EQ(con_char_waiting(), 0);
}

TEST_F(ConsoleLayerTest, MissingFunctionsAreSkipped) {
  host().hide_function("SetConsoleCursorPosition");
  host().hide_function("GetCurrentConsoleFontEx");
  host().hide_function("SetConsoleTitleA");
  host().hide_function("PeekConsoleInputA");
  host().hide_function("SetConsoleMode");
  start_resolved();
  con_disable_wrap();
  EXPECT_EQ(host().output_mode(), 0x3u);
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
  host().reset(120, 40);  // the window can be set before the buffer shrinks
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

TEST_F(ConsoleLayerTest, TitleSleepAndMemory) {
  start_resolved();
  con_set_title("Mazewick 1.0");
  EXPECT_EQ(host().title(), "Mazewick 1.0");
  EXPECT_EQ(con_sleep(100), 0);
  EXPECT_EQ(pauses(), 1u);
  auto* block = static_cast<unsigned char*>(mem_alloc(4096));
  ASSERT_NE(block, nullptr);
  block[0] = 1;
  block[4095] = 2;
  mem_free(block);
  mem_free(nullptr);
}

}  // namespace
