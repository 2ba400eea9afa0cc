// The colour-escape text writer on the headless console host.
#include "render/colour_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "console/console.h"
#include "headless_session.h"

namespace {

class ColourTextTest : public HeadlessSession {
 protected:
  void SetUp() override {
    HeadlessSession::SetUp();
    start_resolved();
  }
  static void set_attribute(WORD attribute) {
    SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), attribute);
  }
};

TEST_F(ColourTextTest, EmptyTextChangesNothing) {
  set_attribute(0x4A);
  write_colour_text("");
  EXPECT_EQ(host().attribute(), 0x4A);
  EXPECT_EQ(host().cursor_x(), 0);
}

TEST_F(ColourTextTest, EscapeAloneSetsTheColourAndWritesNothing) {
  write_colour_text(YELLOW);
  EXPECT_EQ(host().attribute(), 14);
  EXPECT_EQ(host().cursor_x(), 0);
  EXPECT_EQ(screen().row(0), "");
}

TEST_F(ColourTextTest, EveryCodeSelectsABrightColourOnBlack) {
  const int expected[16] = {8, 8, 9, 9, 12, 12, 13, 13, 10, 10, 11, 11, 14, 14, 15, 15};
  for (int code = 0x10; code <= 0x1F; ++code) {
    set_attribute(0x70);
    const char text[] = {static_cast<char>(code), '\x08', ' ', '\x08', '\0'};
    write_colour_text(text);
    EXPECT_EQ(host().attribute(), expected[code - 0x10]) << "code " << code;
  }
}

TEST_F(ColourTextTest, EscapeClearsTheBackgroundAndHigherBits) {
  set_attribute(0x84F2);
  write_colour_text(CYAN "x");
  EXPECT_EQ(host().attribute(), 11);
  EXPECT_EQ(host().cell(0, 0).attr, 11);
}

TEST_F(ColourTextTest, TextRunsTakeTheColourBeforeThem) {
  write_colour_text(YELLOW "Score:" CYAN "   10");
  const ScreenSnapshot after = screen();
  EXPECT_EQ(after.row(0), "Score:   10");
  for (int x = 0; x < 6; ++x) {
    EXPECT_EQ(after.fg(x, 0), 14);
  }
  for (int x = 6; x < 11; ++x) {
    EXPECT_EQ(after.fg(x, 0), 11);
  }
}

TEST_F(ColourTextTest, SecondOfTwoEscapesWins) {
  write_colour_text(RED GREEN "g");
  EXPECT_EQ(host().cell(0, 0).attr, 10);
}

TEST_F(ColourTextTest, CodeNearTheEndStopsTheText) {
  write_colour_text("AB\x1C\x08");
  EXPECT_EQ(screen().row(0), "AB");
  EXPECT_EQ(host().attribute(), 14);
  EXPECT_EQ(host().cursor_x(), 2);
}

TEST_F(ColourTextTest, HighBytesAndLineFeedsReachTheConsole) {
  write_colour_text(WHITE "\xC9\xCD\xBB\n\xC8\xCD\xBC\x07");
  const ScreenSnapshot after = screen();
  EXPECT_EQ(after.row(0), "╔═╗");
  EXPECT_EQ(after.row(1), "╚═╝");
  EXPECT_EQ(host().cursor_y(), 1);
  EXPECT_EQ(host().cursor_x(), 3);  // the bell is written but shows nothing
}

TEST_F(ColourTextTest, StrLengthCountsUpToTheNul) {
  EXPECT_EQ(str_length(""), 0u);
  EXPECT_EQ(str_length("Mazewick"), 8u);
  EXPECT_EQ(str_length(YELLOW "ab"), 6u);
}

}  // namespace
