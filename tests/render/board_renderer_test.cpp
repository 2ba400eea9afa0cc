// Frames of a round, and texts with colour escapes, drawn on the headless console host.
#include "render/board_renderer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <utility>

#include "game/game_window.h"
#include "game/play_state.h"
#include "game/round_tick.h"
#include "render/colour_text.h"
#include "tests/support/headless_session.h"

namespace {

// A row of the frame: its glyphs, trailing spaces dropped, and their colours as hex digits.
using Row = std::pair<std::string, std::string>;

// Rows of the first frame of a round on layout 0 that hold every glyph and colour of the board.
// Empty floor, arrows and start cells keep the colour of the cell before them.
const std::pair<int, Row> kFirstFrame[] = {
    {0, {"Score:      0      1UP:10000", "EEEEEEBBBBBBBEEEEEEEEEEBBBBB"}},
    {1, {"╔════════════╦╦════════════╗", "9999999999999999999999999999"}},
    {4, {"║☼╠╬╬╣∙╠╬╬╬╣∙╠╣∙╠╬╬╬╣∙╠╬╬╣☼║", "9F999979999979979999979999F9"}},
    {5, {"║∙╚╩╩╝∙╚╩╩╩╝∙╚╝∙╚╩╩╩╝∙╚╩╩╝∙║", "9799997999997997999997999979"}},
    {13, {"     ║∙╠╣∙╔══──══╗∙╠╣∙║", "9999997997999779997997999999"}},
    {14, {"═════╝∙╚╝∙║ ♥  ♦ ║∙╚╝∙╚═════", "999999799799CCCDD97997999999"}},
    {15, {"▓∙∙∙∙∙∙∙∙∙║      ║∙∙∙∙∙∙∙∙∙▓", "5777777777999999997777777775"}},
    {16, {"═════╗∙╔╗∙║ ♣  ♠ ║∙╔╗∙╔═════", "999999799799BBB6697997999999"}},
    {24, {"║☼∙∙╠╣∙∙∙∙∙∙∙<∙∙∙∙∙∙∙∙╠╣∙∙☼║", "9F77997777777E777777779977F9"}},
    {32, {"Lives:  3          Round:  1", "EEEEEEBBBBBBBBBEEEEEEEEEEBBB"}}};

class ScreenText : public HeadlessSession {
 protected:
  void SetUp() override {
    HeadlessSession::SetUp();
    start_game_window();
    std::tie(game_state.next_life_at, game_state.lives) = std::tuple(1000, 3);
    round_setup(game_state);
  }

  // Draws the frame; the glyphs of row y from the frame's column on, and their colours.
  static Row drawn_row(int y) {
    draw_board(kFrameColumn, kFrameRow, game_state);
    const ScreenSnapshot shot = screen();
    std::string colours;
    for (int x = kFrameColumn; x < kFrameColumn + kBoardWidth; ++x) {
      colours += "0123456789ABCDEF"[shot.fg(x, y)];
    }
    return {shot.row(y).substr(kFrameColumn), colours};
  }
};

TEST_F(ScreenText, FramesRowByRowWithTheirColours) {
  for (const auto& [y, row] : kFirstFrame) {
    EXPECT_EQ(drawn_row(y), row) << "row " << y;
  }
  // The cursor is left after the lives line, in cyan on black.
  EXPECT_EQ(std::tuple(host().cursor_x(), host().cursor_y(), host().attribute()),
            std::tuple(kFrameColumn + kBoardWidth, kWindowRows - 1, kCyan));
  // Then chaser 1 returning, the player heading up over chaser 2, a tunnel mouth and a bonus
  // item on row 23, at two fright times, ticks, rounds, lives and scores.
  game_state.house_timers[1] = kHouseReturning;
  std::tie(game_state.chasers[2].x, game_state.chasers[2].y) = std::tuple(13, 23);
  game_state.player.dir = kDirUp;
  game_state.board.cells[23 * kBoardWidth + 2] = 0x20;
  game_state.board.cells[23 * kBoardWidth + 14] = 0x43;
  // The score line and the lives line, then rows 13 and 23 of the board.
  const auto expect_frame = [](const char* lines, const Row& row_13, const Row& row_23) {
    EXPECT_EQ(drawn_row(0).first + "|" + drawn_row(kWindowRows - 1).first, lines);
    EXPECT_EQ(drawn_row(14), row_13);
    EXPECT_EQ(drawn_row(24), row_23);
  };
  // Frightened chasers show dark blue, then in the last 20 ticks grey on odd ticks of the fright
  // time. Power pellets and bonus items blink by the tick, tunnel mouths shimmer. Ten times the
  // score wraps in 32 bits, and is cut to its last seven digits.
  std::tie(game_state.fright_timer, game_state.score, game_state.next_life_at) =
      std::tuple(22, 429496730, 429496731);
  expect_frame("Score:      4      1UP:   10|Lives:  3          Round:  1",
               {"═════╝∙╚╝∙║ ♥  ∞ ║∙╚╝∙╚═════", "9999997997991113397997999999"},
               {"║☼▓∙╠╣∙∙∙∙∙∙∙v♫∙∙∙∙∙∙∙╠╣∙∙☼║", "9F57997777777E477777779977F9"});
  std::tie(game_state.fright_timer, game_state.tick, game_state.round, game_state.lives,
           game_state.score, game_state.next_life_at) =
      std::tuple(21, 2, 7, kMostLives, 12345678, 12346678);
  expect_frame("Score:3456780      1UP:10000|Lives:255 (MAX)    Round:  8",
               {"═════╝∙╚╝∙║ ♥  ∞ ║∙╚╝∙╚═════", "AAAAAA7AA7AA77733A7AA7AAAAAA"},
               {"║☼░∙╠╣∙∙∙∙∙∙∙vΣ∙∙∙∙∙∙∙╠╣∙∙☼║", "A857AA7777777EC7777777AA778A"});
}

TEST_F(ScreenText, ColourEscapesBecomeAttributesAndTheRunsBetweenThemReachTheConsole) {
  // A code picks a bright colour on black (bit 2 red, 3 green, 1 blue), clearing the high bits;
  // high bytes, line feeds and a bell pass within their run; a code in the last 3 bytes ends it.
  SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), 0x84F2);
  write_colour_text(RED "r" GREEN "g" CYAN "c" YELLOW "y" WHITE "w" MAGENTA "m" COLOUR_ESCAPE(
      "\x11") "k" COLOUR_ESCAPE("\x13") "b\n\xC8\xCD\xBC\x07" RED "AB\x1C\x08");
  const ScreenSnapshot after = screen();
  EXPECT_EQ(after.row(0) + "|" + after.row(1), "rgcywmkb|╚═╝AB");
  const WORD colours[] = {kRed, kGreen, kCyan, kYellow, kWhite, kMagenta, kDarkGrey, kBlue};
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(after.cell(x, 0).attr, colours[x]) << "column " << x;
  }
  EXPECT_EQ(after.cell(4, 1).attr, kRed);
  EXPECT_EQ(host().attribute(), kYellow);
}

}  // namespace
