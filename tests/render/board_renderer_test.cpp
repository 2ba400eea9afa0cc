// Frames of a round drawn on the headless console host.
#include "render/board_renderer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "console/console.h"
#include "cp437.h"
#include "game/game_state.h"
#include "game/round_tick.h"
#include "headless_session.h"

namespace {

constexpr int kOriginColumn = 13;
constexpr int kFrameRows = 33;
constexpr int kLivesRow = 32;

constexpr int kGrey = 7;
constexpr int kDarkBlue = 1;
constexpr int kDarkCyan = 3;

// clang-format off
// The first frame of a round on layout 0: all figures on their start cells, tick 0, nobody
// frightened.
const char* const kFirstFrameText[kFrameRows] = {
    "Score:      0      1UP:10000",
    "╔════════════╦╦════════════╗",
    "║∙∙∙∙∙∙∙∙∙∙∙∙╠╣∙∙∙∙∙∙∙∙∙∙∙∙║",
    "║∙╔╦╦╗∙╔╦╦╦╗∙╠╣∙╔╦╦╦╗∙╔╦╦╗∙║",
    "║☼╠╬╬╣∙╠╬╬╬╣∙╠╣∙╠╬╬╬╣∙╠╬╬╣☼║",
    "║∙╚╩╩╝∙╚╩╩╩╝∙╚╝∙╚╩╩╩╝∙╚╩╩╝∙║",
    "║∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙║",
    "║∙╔╦╦╗∙╔╗∙╔╦╦╦╦╦╦╗∙╔╗∙╔╦╦╗∙║",
    "║∙╚╩╩╝∙╠╣∙╚╩╩╬╬╩╩╝∙╠╣∙╚╩╩╝∙║",
    "║∙∙∙∙∙∙╠╣∙∙∙∙╠╣∙∙∙∙╠╣∙∙∙∙∙∙║",
    "╚════╗∙╠╬╦╦╗∙╠╣∙╔╦╦╬╣∙╔════╝",
    "     ║∙╠╬╩╩╝∙╚╝∙╚╩╩╬╣∙║     ",
    "     ║∙╠╣∙∙∙∙∙∙∙∙∙∙╠╣∙║     ",
    "     ║∙╠╣∙╔══──══╗∙╠╣∙║     ",
    "═════╝∙╚╝∙║ ♥  ♦ ║∙╚╝∙╚═════",
    "▓∙∙∙∙∙∙∙∙∙║      ║∙∙∙∙∙∙∙∙∙▓",
    "═════╗∙╔╗∙║ ♣  ♠ ║∙╔╗∙╔═════",
    "     ║∙╠╣∙╚══════╝∙╠╣∙║     ",
    "     ║∙╠╣∙∙∙∙∙∙∙∙∙∙╠╣∙║     ",
    "     ║∙╠╣∙╔╦╦╦╦╦╦╗∙╠╣∙║     ",
    "╔════╝∙╚╝∙╚╩╩╬╬╩╩╝∙╚╝∙╚════╗",
    "║∙∙∙∙∙∙∙∙∙∙∙∙╠╣∙∙∙∙∙∙∙∙∙∙∙∙║",
    "║∙╔╦╦╗∙╔╦╦╦╗∙╠╣∙╔╦╦╦╗∙╔╦╦╗∙║",
    "║∙╚╩╬╣∙╚╩╩╩╝∙╚╝∙╚╩╩╩╝∙╠╬╩╝∙║",
    "║☼∙∙╠╣∙∙∙∙∙∙∙<∙∙∙∙∙∙∙∙╠╣∙∙☼║",
    "╠╦╗∙╠╣∙╔╗∙╔╦╦╦╦╦╦╗∙╔╗∙╠╣∙╔╦╣",
    "╠╩╝∙╚╝∙╠╣∙╚╩╩╬╬╩╩╝∙╠╣∙╚╝∙╚╩╣",
    "║∙∙∙∙∙∙╠╣∙∙∙∙╠╣∙∙∙∙╠╣∙∙∙∙∙∙║",
    "║∙╔╦╦╦╦╬╬╦╦╗∙╠╣∙╔╦╦╬╬╦╦╦╦╗∙║",
    "║∙╚╩╩╩╩╩╩╩╩╝∙╚╝∙╚╩╩╩╩╩╩╩╩╝∙║",
    "║∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙∙║",
    "╚══════════════════════════╝",
    "Lives:  3          Round:  1",
};

// Foreground colours of the same frame, one hex digit a cell. Empty floor, arrows and start cells
// keep the colour of the cell drawn before them.
const char* const kFirstFrameColours[kFrameRows] = {
    "EEEEEEBBBBBBBEEEEEEEEEEBBBBB",
    "9999999999999999999999999999",
    "9777777777777997777777777779",
    "9799997999997997999997999979",
    "9F999979999979979999979999F9",
    "9799997999997997999997999979",
    "9777777777777777777777777779",
    "9799997997999999997997999979",
    "9799997997999999997997999979",
    "9777777997777997777997777779",
    "9999997999997997999997999999",
    "9999997999997997999997999999",
    "9999997997777777777997999999",
    "9999997997999779997997999999",
    "999999799799CCCDD97997999999",
    "5777777777999999997777777775",
    "999999799799BBB6697997999999",
    "9999997997999999997997999999",
    "9999997997777777777997999999",
    "9999997997999999997997999999",
    "9999997997999999997997999999",
    "9777777777777997777777777779",
    "9799997999997997999997999979",
    "9799997999997997999997999979",
    "9F77997777777E777777779977F9",
    "9997997997999999997997997999",
    "9997997997999999997997997999",
    "9777777997777997777997777779",
    "9799999999997997999999999979",
    "9799999999997997999999999979",
    "9777777777777777777777777779",
    "9999999999999999999999999999",
    "EEEEEEBBBBBBBBBEEEEEEEEEEBBB",
};
// clang-format on

class BoardRendererTest : public HeadlessSession {
 protected:
  // The first round of a game: layout 0 and every figure on its start cell.
  void SetUp() override {
    HeadlessSession::SetUp();
    start_game_window();
    game_state.next_life_at = 1000;
    game_state.lives = 3;
    round_setup(game_state);
  }

  static void set_cell(int x, int y, int cell) {
    game_state.board.cells[y * kBoardWidth + x] = static_cast<uint8_t>(cell);
  }

  // Moves every figure off the Board, so that only cells are drawn.
  static void clear_figures() {
    game_state.player.x = game_state.player.y = 200;
    for (Chaser& chaser : game_state.chasers) {
      chaser.x = chaser.y = 200;
    }
  }

  static ScreenSnapshot draw() {
    draw_board(kOriginColumn, 0, game_state);
    return screen();
  }

  // Frame row y as UTF-8, all 28 cells, and their colours as hex digits.
  static std::string frame_text(const ScreenSnapshot& shot, int y) {
    std::string text;
    for (int x = kOriginColumn; x < kOriginColumn + kBoardWidth; ++x) {
      append_utf8(text, cp437_to_unicode(shot.cell(x, y).ch));
    }
    return text;
  }
  static std::string frame_colours(const ScreenSnapshot& shot, int y) {
    std::string colours;
    for (int x = kOriginColumn; x < kOriginColumn + kBoardWidth; ++x) {
      colours += "0123456789ABCDEF"[shot.fg(x, y)];
    }
    return colours;
  }

  // Board cell (x, y) is drawn as the glyph in the colour.
  static void expect_cell(const ScreenSnapshot& shot, int x, int y, const std::string& glyph,
                          int colour) {
    std::string text;
    append_utf8(text, cp437_to_unicode(shot.cell(kOriginColumn + x, 1 + y).ch));
    EXPECT_EQ(text, glyph) << "cell " << x << "," << y;
    EXPECT_EQ(shot.fg(kOriginColumn + x, 1 + y), colour) << "cell " << x << "," << y;
  }
};

TEST_F(BoardRendererTest, FirstFrameOfARoundShowsEveryCellInItsColourAndNothingElse) {
  const GameState before = game_state;
  con_set_bg(4);
  const ScreenSnapshot shot = draw();
  for (int y = 0; y < kFrameRows; ++y) {
    EXPECT_EQ(frame_text(shot, y), kFirstFrameText[y]) << "row " << y;
    EXPECT_EQ(frame_colours(shot, y), kFirstFrameColours[y]) << "row " << y;
    for (int x = 0; x < shot.width; ++x) {
      if (x >= kOriginColumn && x < kOriginColumn + kBoardWidth) {
        EXPECT_EQ(shot.bg(x, y), 0) << "row " << y << " column " << x;
      } else {
        EXPECT_EQ(shot.cell(x, y).ch, ' ') << "row " << y << " column " << x;
        EXPECT_EQ(shot.cell(x, y).attr, 0x07) << "row " << y << " column " << x;
      }
    }
  }
  // The cursor is left after the lives line, in cyan on black, and the game as it was.
  EXPECT_EQ(host().cursor_x(), kOriginColumn + kBoardWidth);
  EXPECT_EQ(host().cursor_y(), kLivesRow);
  EXPECT_EQ(host().attribute(), 0x0B);
  EXPECT_EQ(std::memcmp(&before, &game_state, sizeof(GameState)), 0);
}

TEST_F(BoardRendererTest, FrameStandsAtItsOrigin) {
  con_set_window(0, 0, 55, 34);
  draw_board(2, 1, game_state);
  const ScreenSnapshot shot = screen();
  EXPECT_EQ(shot.row(0), "");
  EXPECT_EQ(shot.row(1), "  Score:      0      1UP:10000");
  EXPECT_EQ(shot.row(2), "  ╔════════════╦╦════════════╗");
  EXPECT_EQ(shot.row(32), "  ╚══════════════════════════╝");
  EXPECT_EQ(shot.row(33), "  Lives:  3          Round:  1");
}

TEST_F(BoardRendererTest, FiguresOffTheBoardAreNotDrawn) {
  clear_figures();
  const ScreenSnapshot empty = draw();
  // Column 28 of row 0 would be the first cell of row 1 on the flat Board.
  game_state.player.x = kBoardWidth;
  game_state.player.y = 0;
  game_state.chasers[0].x = 0;
  game_state.chasers[0].y = kBoardHeight;
  game_state.chasers[1].x = 255;
  game_state.chasers[1].y = 255;
  const ScreenSnapshot shot = draw();
  for (int y = 0; y < kFrameRows; ++y) {
    EXPECT_EQ(frame_text(shot, y), frame_text(empty, y)) << "row " << y;
    EXPECT_EQ(frame_colours(shot, y), frame_colours(empty, y)) << "row " << y;
  }
}

TEST_F(BoardRendererTest, PlayerOpensTowardsItsDirection) {
  const char* const glyphs[4] = {"v", "<", "^", ">"};
  for (uint8_t dir = 0; dir < 4; ++dir) {
    game_state.player.dir = dir;
    expect_cell(draw(), 13, 23, glyphs[dir], kYellow);
  }
}

TEST_F(BoardRendererTest, ChasersLookFrightenedByTheFrightTimer) {
  const struct {
    uint8_t fright;
    int colour;  // -1: each chaser's own colour
  } cases[] = {{22, kDarkBlue}, {21, kGrey},  {20, -1}, {19, kGrey},
               {0, -1},         {255, kGrey}, {2, -1},  {1, kGrey}};
  const char* const glyphs[kChaserCount] = {"♥", "♦", "♣", "♠"};
  const int own_colours[kChaserCount] = {12, 13, 11, 6};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "fright " << int{c.fright});
    game_state.fright_timer = c.fright;
    const ScreenSnapshot shot = draw();
    for (int i = 0; i < kChaserCount; ++i) {
      const Chaser& chaser = game_state.chasers[i];
      expect_cell(shot, chaser.x, chaser.y, glyphs[i], c.colour < 0 ? own_colours[i] : c.colour);
    }
  }
}

TEST_F(BoardRendererTest, ReturningChaserIsDrawnOverPelletsAndTunnels) {
  game_state.house_timers[1] = kHouseReturning;
  game_state.house_timers[2] = kHouseReturning | 5;
  game_state.chasers[1].x = 1;  // a pellet
  game_state.chasers[1].y = 1;
  game_state.chasers[2].x = 0;  // a tunnel mouth
  game_state.chasers[2].y = 14;
  for (uint8_t fright : {0, 22, 21}) {
    SCOPED_TRACE(testing::Message() << "fright " << int{fright});
    game_state.fright_timer = fright;
    const ScreenSnapshot shot = draw();
    expect_cell(shot, 1, 1, "∞", kDarkCyan);
    expect_cell(shot, 0, 14, "∞", kDarkCyan);
  }
}

TEST_F(BoardRendererTest, PlayerIsDrawnOverAChaserAndALowerNumberedChaserOverAnother) {
  game_state.chasers[0].x = game_state.player.x;
  game_state.chasers[0].y = game_state.player.y;
  game_state.chasers[3].x = game_state.chasers[2].x;
  game_state.chasers[3].y = game_state.chasers[2].y;
  ScreenSnapshot shot = draw();
  expect_cell(shot, 13, 23, "<", kYellow);
  expect_cell(shot, 12, 15, "♣", kCyan);
  // A returning lower-numbered chaser still wins.
  game_state.house_timers[2] = kHouseReturning;
  expect_cell(draw(), 12, 15, "∞", kDarkCyan);
}

TEST_F(BoardRendererTest, CellsAreDrawnByTheirClass) {
  clear_figures();
  game_state.round = 5;  // green walls
  for (int shape = 0; shape < 12; ++shape) {
    set_cell(1 + shape, 1, 128 + shape);
    set_cell(1 + shape, 2, 140 + shape);
  }
  // Pellets whatever their restricted and junction bits; empty floor keeps the colour before.
  set_cell(1, 3, 0x71);
  set_cell(2, 3, 0x72);
  set_cell(3, 3, 0x60);
  // Tunnel colours repeat after twelve letters.
  for (int letter = 0; letter < 26; ++letter) {
    set_cell(1 + letter, 5, 0x20 + letter);
  }
  // Spawn markers, arrows and other bytes below 0x20 are blank in the colour before.
  set_cell(1, 7, 0x10);
  set_cell(2, 7, 0x1F);
  set_cell(3, 7, 0x05);
  set_cell(4, 7, 0x00);
  const ScreenSnapshot shot = draw();
  const struct {
    int row;
    const char* text;
    const char* colours;
  } rows[] = {
      {1, "║ ═║╝╚╗╔╬╠╣╦╩", "AAAAAAAAAAAAA"},
      {2, "║ ─│┘└┐┌┼├┤┬┴", "A777777777777"},
      {3, "║∙☼ ", "A7FF"},
      {5, "║▓▓▓▓▓▓▓▓▓▓▓▓▓▓▓▓▓▓▓▓▓▓▓▓▓▓", "A543261DCBAE8543261DCBAE854"},
      {7, "║    ", "AAAAA"},
  };
  for (const auto& row : rows) {
    const std::string text = row.text;
    EXPECT_EQ(frame_text(shot, 1 + row.row).substr(0, text.size()), text) << "row " << row.row;
    EXPECT_EQ(frame_colours(shot, 1 + row.row).substr(0, std::strlen(row.colours)), row.colours)
        << "row " << row.row;
  }
}

TEST_F(BoardRendererTest, WallsAndPelletsTakeTheRoundsColoursAndDoorsStayGrey) {
  const struct {
    uint8_t round;
    int wall;
    int pellet;
  } cases[] = {{0, 9, 7},  {4, 9, 7},  {5, 10, 7}, {19, 8, 7}, {20, 9, 4},
               {40, 9, 2}, {60, 9, 3}, {80, 9, 7}, {255, 8, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "round " << int{c.round});
    game_state.round = c.round;
    const ScreenSnapshot shot = draw();
    expect_cell(shot, 0, 0, "╔", c.wall);
    expect_cell(shot, 1, 1, "∙", c.pellet);
    expect_cell(shot, 13, 12, "─", kGrey);
  }
}

TEST_F(BoardRendererTest, BonusItemGlyphFollowsTheBonusTable) {
  const struct {
    uint8_t round;
    const char* glyph;
  } cases[] = {{0, "♫"},  {1, "ß"},  {2, "Γ"},  {3, "Γ"},  {4, "π"},
               {9, "σ"},  {11, "µ"}, {13, "τ"}, {15, "Φ"}, {17, "Θ"},
               {19, "Ω"}, {20, "δ"}, {23, "δ"}, {24, "δ"}, {255, "δ"}};
  set_cell(13, 23, 0x43);
  clear_figures();
  for (const auto& c : cases) {
    game_state.round = c.round;
    expect_cell(draw(), 13, 23, c.glyph, 4);
  }
}

TEST_F(BoardRendererTest, PowerPelletsBonusItemsAndTunnelsAnimateWithTheTick) {
  const struct {
    uint8_t tick;
    int power_pellet;
    int bonus_item;
    const char* shade;
  } cases[] = {{0, 15, 4, "▓"}, {1, 15, 4, "▒"}, {2, 8, 12, "░"},
               {3, 8, 12, "▒"}, {4, 15, 4, "▓"}, {255, 8, 12, "▒"}};
  set_cell(13, 23, 0x43);
  clear_figures();
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "tick " << int{c.tick});
    game_state.tick = c.tick;
    const ScreenSnapshot shot = draw();
    expect_cell(shot, 1, 3, "☼", c.power_pellet);
    expect_cell(shot, 26, 23, "☼", c.power_pellet);
    expect_cell(shot, 13, 23, "♫", c.bonus_item);
    expect_cell(shot, 0, 14, c.shade, 5);
    expect_cell(shot, 27, 14, c.shade, 5);
  }
}

TEST_F(BoardRendererTest, ScoreLineShowsPointsAndWhatTheNextLifeNeeds) {
  const struct {
    uint32_t score;
    uint32_t next_life_at;
    const char* line;
  } cases[] = {{123, 1000, "Score:   1230      1UP: 8770"},
               {1000, 1000, "Score:  10000      1UP:    0"},
               {12345678, 12346678, "Score:3456780      1UP:10000"},
               {429496730, 429496731, "Score:      4      1UP:   10"}};
  for (const auto& c : cases) {
    game_state.score = c.score;
    game_state.next_life_at = c.next_life_at;
    const ScreenSnapshot shot = draw();
    EXPECT_EQ(frame_text(shot, 0), c.line);
    EXPECT_EQ(frame_colours(shot, 0), "EEEEEEBBBBBBBEEEEEEEEEEBBBBB");
  }
}

TEST_F(BoardRendererTest, LivesLineMarksTheMostLivesAndShowsTheRoundFromOne) {
  const struct {
    uint8_t lives;
    uint8_t round;
    const char* line;
  } cases[] = {{3, 0, "Lives:  3          Round:  1"},
               {255, 5, "Lives:255 (MAX)    Round:  6"},
               {254, 20, "Lives:254          Round: 21"},
               {0, 255, "Lives:  0          Round:256"}};
  for (const auto& c : cases) {
    game_state.lives = c.lives;
    game_state.round = c.round;
    const ScreenSnapshot shot = draw();
    EXPECT_EQ(frame_text(shot, kLivesRow), c.line);
    EXPECT_EQ(frame_colours(shot, kLivesRow), "EEEEEEBBBBBBBBBEEEEEEEEEEBBB");
  }
}

}  // namespace
