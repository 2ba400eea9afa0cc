// The console operations on the headless console host.
#include <string>

#include "console/console.h"
#include "game/game_main.h"
#include "headless_session.h"

namespace {

using ConsoleLayerTest = HeadlessSession;

TEST_F(ConsoleLayerTest, DeleteLineMovesTheRowsBelowUpAndOnTheLastRowOnlyTheCursor) {
  start_game_window();
  for (const char c : std::string("first\nsecond\nthird")) {
    con_put_char(c);
  }
  con_set_cursor_pos(3, 1);
  con_delete_line();
  EXPECT_EQ(screen().rows(), "first|third");
  EXPECT_EQ(host().cell(0, 32).attr, 0x0F);  // the new bottom row is white on black
  EXPECT_EQ(host().cursor_x(), 0);
  con_set_cursor_pos(4, 32);
  con_delete_line();
  EXPECT_EQ(host().cursor_x(), 0);
  EXPECT_EQ(host().cursor_y(), 32);
}

TEST_F(ConsoleLayerTest, ReadsGiveSignedBytesAndLooksTakeNothing) {
  start_resolved("5 ab\n");
  host().push_keystroke(false, 0);
  EXPECT_EQ(con_key_waiting() * 10 + con_char_waiting(), 10);
  host().push_keystroke(true, 0xE9);
  EXPECT_EQ(con_key_waiting() * 10 + con_char_waiting(), 11);
  EXPECT_EQ(con_read_key(), -23);                        // passing over the key without a character
  EXPECT_EQ(con_key_waiting() + con_char_waiting(), 0);  // only releases are left
  EXPECT_EQ(con_read_key_echo(), 'a');  // nothing queued: the next script line is taken
  EXPECT_EQ(con_read_key(), 'b');
  EXPECT_EQ(con_read_key(), kInputEnded);
  EXPECT_EQ(con_read_key_echo(), kInputEnded);
  EXPECT_EQ(screen().rows(), "a");       // con_read_key_echo alone echoes, and not the end of input
  EXPECT_EQ(host().input_mode(), 0x7u);  // set back after each read and look
}

// A whole game on a console without one of the functions looked up by name: an invalid key on
// the title, any key, a round that runs to its end without a key, and the game over screen.
class MissingFunctionTest : public HeadlessSession,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(MissingFunctionTest, TheGameGoesWithoutIt) {
  host().hide_function(GetParam());
  start("0 x\n0 y\n0 s\n999999 q\n");
  EXPECT_EQ(game_main(0, nullptr), 0);
  ASSERT_FALSE(waits().empty());
  EXPECT_NE(waits().back().rows().find("Press [Space] to return to title, or [Q] to quit:"),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Functions, MissingFunctionTest,
                         ::testing::Values("FillConsoleOutputAttribute",
                                           "FillConsoleOutputCharacterA",
                                           "GetConsoleScreenBufferInfo", "GetCurrentConsoleFontEx",
                                           "GetNumberOfConsoleInputEvents",
                                           "SetConsoleCursorPosition", "PeekConsoleInputA",
                                           "SetConsoleTitleA", "SetCurrentConsoleFontEx"));

}  // namespace
