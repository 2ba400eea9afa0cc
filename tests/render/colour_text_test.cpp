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

TEST_F(ColourTextTest, WritesTheRunsAndTurnsTheEscapesIntoColours) {
  const struct {
    WORD before;
    const char* text;
    const char* rows[2];
    const char* attributes;  // of the cells of row 0 written, one hex digit each
    WORD after;
    int cursor_x;
    int cursor_y;
  } cases[] = {
      {0x4A, "", {"", ""}, "", 0x4A, 0, 0},
      {0x4A, YELLOW, {"", ""}, "", 14, 0, 0},
      // An escape clears the background and the bits above the low eight.
      {0x84F2, CYAN "x", {"x", ""}, "B", 11, 1, 0},
      {0x07, YELLOW "Score:" CYAN "   10", {"Score:   10", ""}, "EEEEEEBBBBB", 11, 11, 0},
      {0x07, RED GREEN "g", {"g", ""}, "A", 10, 1, 0},
      // A code among the last three bytes changes the colour and ends the text.
      {0x07, "AB\x1C\x08", {"AB", ""}, "77", 14, 2, 0},
      // High bytes, line feeds and a bell reach the console within their run.
      {0x07, WHITE "\xC9\xCD\xBB\n\xC8\xCD\xBC\x07", {"╔═╗", "╚═╝"}, "FFF", 15, 3, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    SetUp();
    set_attribute(c.before);
    write_colour_text(c.text);
    const ScreenSnapshot after = screen();
    EXPECT_EQ(after.row(0), c.rows[0]);
    EXPECT_EQ(after.row(1), c.rows[1]);
    for (int x = 0; c.attributes[x] != '\0'; ++x) {
      EXPECT_EQ(after.cell(x, 0).attr, std::stoi(std::string(1, c.attributes[x]), nullptr, 16));
    }
    EXPECT_EQ(host().attribute(), c.after);
    EXPECT_EQ(host().cursor_x(), c.cursor_x);
    EXPECT_EQ(host().cursor_y(), c.cursor_y);
  }
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

TEST_F(ColourTextTest, StrLengthCountsUpToTheNul) {
  EXPECT_EQ(str_length(""), 0u);
  EXPECT_EQ(str_length("Mazewick"), 8u);
  EXPECT_EQ(str_length(YELLOW "ab"), 6u);
}

}  // namespace
