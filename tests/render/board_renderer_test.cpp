// Frames of a round drawn on the headless console host.
#include "render/board_renderer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "console/console.h"
#include "cp437.h"
#include "game/game_state.h"
#include "headless_session.h"
#include "maze/board_queries.h"
#include "maze/layouts.h"
#include "maze/maze_compiler.h"

namespace {

constexpr int kOriginColumn = 13;
constexpr int kFrameRows = 33;
constexpr int kLivesRow = 32;

constexpr int kGrey = 7;
constexpr int kDarkBlue = 1;

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
  void SetUp() override {
    HeadlessSession::SetUp();
    start_resolved();
    con_set_window(0, 0, 55, 33);
    game_state.next_life_at = 1000;
    game_state.lives = 3;
    set_up_first_round();
  }

  // Layout 0 and every figure on its start cell, as the first round begins.
  static void set_up_first_round() {
    GameState& game = game_state;
    compile_maze(game.board, maze_layout(0));
    place_home(game.player, 0);
    game.player.dir = kDirRight;
    for (uint8_t i = 0; i < kChaserCount; ++i) {
      place_home(game.chasers[i], static_cast<uint8_t>(i + 1));
      game.chasers[i].dir = i;
      game.house_timers[i] = static_cast<uint8_t>((i + 1) * 15);
    }
  }

  static void place_home(Actor& actor, uint8_t marker) {
    const uint16_t home = find_spawn(game_state.board, marker);
    actor.home_x = actor.x = packed_x(home);
    actor.home_y = actor.y = packed_y(home);
  }

  static void set_cell(uint8_t x, uint8_t y, uint8_t cell) {
    game_state.board.cells[y * kBoardWidth + x] = cell;
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

  // Frame row y as UTF-8, all 28 cells.
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

  // The character and colour drawn for Board cell (x, y).
  static std::string glyph_at(const ScreenSnapshot& shot, uint8_t x, uint8_t y) {
    std::string text;
    append_utf8(text, cp437_to_unicode(shot.cell(kOriginColumn + x, 1 + y).ch));
    return text;
  }
  static int colour_at(const ScreenSnapshot& shot, uint8_t x, uint8_t y) {
    return shot.fg(kOriginColumn + x, 1 + y);
  }
};

// Draw

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

// Figures

TEST_F(BoardRendererTest, PlayerOpensTowardsItsDirection) {
  const char* const glyphs[4] = {"v", "<", "^", ">"};
  for (uint8_t dir = 0; dir < 4; ++dir) {
    game_state.player.dir = dir;
    const ScreenSnapshot shot = draw();
    EXPECT_EQ(glyph_at(shot, 13, 23), glyphs[dir]) << "direction " << int{dir};
    EXPECT_EQ(colour_at(shot, 13, 23), 14);
  }
}

TEST_F(BoardRendererTest, ChasersLookFrightenedByTheFrightTimer) {
  struct Case {
    uint8_t fright;
    int colour;  // -1: each chaser's own colour
  };
  const Case cases[] = {{22, kDarkBlue}, {21, kGrey},  {20, -1}, {19, kGrey},
                        {0, -1},         {255, kGrey}, {2, -1},  {1, kGrey}};
  const char* const glyphs[kChaserCount] = {"♥", "♦", "♣", "♠"};
  const int own_colours[kChaserCount] = {12, 13, 11, 6};
  for (const Case& c : cases) {
    game_state.fright_timer = c.fright;
    const ScreenSnapshot shot = draw();
    for (int i = 0; i < kChaserCount; ++i) {
      const Chaser& chaser = game_state.chasers[i];
      EXPECT_EQ(glyph_at(shot, chaser.x, chaser.y), glyphs[i]);
      EXPECT_EQ(colour_at(shot, chaser.x, chaser.y), c.colour < 0 ? own_colours[i] : c.colour)
          << "fright " << int{c.fright} << " chaser " << i;
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
    game_state.fright_timer = fright;
    const ScreenSnapshot shot = draw();
    EXPECT_EQ(glyph_at(shot, 1, 1), "∞");
    EXPECT_EQ(colour_at(shot, 1, 1), 3) << "fright " << int{fright};
    EXPECT_EQ(glyph_at(shot, 0, 14), "∞");
    EXPECT_EQ(colour_at(shot, 0, 14), 3) << "fright " << int{fright};
  }
}

TEST_F(BoardRendererTest, PlayerIsDrawnOverAChaserAndALowerNumberedChaserOverAnother) {
  game_state.chasers[0].x = game_state.player.x;
  game_state.chasers[0].y = game_state.player.y;
  game_state.chasers[3].x = game_state.chasers[2].x;
  game_state.chasers[3].y = game_state.chasers[2].y;
  ScreenSnapshot shot = draw();
  EXPECT_EQ(glyph_at(shot, 13, 23), "<");
  EXPECT_EQ(colour_at(shot, 13, 23), 14);
  EXPECT_EQ(glyph_at(shot, 12, 15), "♣");
  EXPECT_EQ(colour_at(shot, 12, 15), 11);
  // A returning lower-numbered chaser still wins.
  game_state.house_timers[2] = kHouseReturning;
  shot = draw();
  EXPECT_EQ(glyph_at(shot, 12, 15), "∞");
  EXPECT_EQ(colour_at(shot, 12, 15), 3);
}

// Cells

TEST_F(BoardRendererTest, EveryWallAndDoorShapeHasItsGlyph) {
  clear_figures();
  for (uint8_t shape = 0; shape < 12; ++shape) {
    set_cell(1 + shape, 1, static_cast<uint8_t>(128 + shape));
    set_cell(1 + shape, 2, static_cast<uint8_t>(140 + shape));
  }
  game_state.round = 5;
  const ScreenSnapshot shot = draw();
  const std::string walls = "║ ═║╝╚╗╔╬╠╣╦╩";
  const std::string doors = "║ ─│┘└┐┌┼├┤┬┴";
  EXPECT_EQ(frame_text(shot, 2).substr(0, walls.size()), walls);
  EXPECT_EQ(frame_text(shot, 3).substr(0, doors.size()), doors);
  for (uint8_t shape = 0; shape < 12; ++shape) {
    EXPECT_EQ(colour_at(shot, 1 + shape, 1), 10) << "wall shape " << int{shape};
    EXPECT_EQ(colour_at(shot, 1 + shape, 2), kGrey) << "door shape " << int{shape};
  }
}

TEST_F(BoardRendererTest, WallsAndPelletsTakeTheRoundsColoursAndDoorsStayGrey) {
  struct Case {
    uint8_t round;
    int wall;
    int pellet;
  };
  for (const Case& c :
       {Case{0, 9, 7}, Case{4, 9, 7}, Case{5, 10, 7}, Case{19, 8, 7}, Case{20, 9, 4},
        Case{40, 9, 2}, Case{60, 9, 3}, Case{80, 9, 7}, Case{255, 8, 7}}) {
    game_state.round = c.round;
    const ScreenSnapshot shot = draw();
    EXPECT_EQ(colour_at(shot, 0, 0), c.wall) << "round " << int{c.round};
    EXPECT_EQ(colour_at(shot, 1, 1), c.pellet) << "round " << int{c.round};
    EXPECT_EQ(glyph_at(shot, 1, 1), "∙");
    EXPECT_EQ(colour_at(shot, 13, 12), kGrey) << "round " << int{c.round};
  }
}

TEST_F(BoardRendererTest, PelletsCountWhateverTheirFlags) {
  set_cell(2, 1, 0x71);  // restricted junction pellet
  set_cell(3, 1, 0x72);  // restricted junction power pellet
  set_cell(4, 1, 0x60);  // empty junction floor
  const ScreenSnapshot shot = draw();
  EXPECT_EQ(glyph_at(shot, 2, 1), "∙");
  EXPECT_EQ(glyph_at(shot, 3, 1), "☼");
  EXPECT_EQ(colour_at(shot, 3, 1), 15);
  EXPECT_EQ(glyph_at(shot, 4, 1), " ");
  EXPECT_EQ(colour_at(shot, 4, 1), 15);  // kept from the power pellet before it
}

TEST_F(BoardRendererTest, BonusItemGlyphFollowsTheBonusTable) {
  struct Case {
    uint8_t round;
    const char* glyph;
  };
  set_cell(13, 23, 0x43);
  game_state.player.x = 1;
  game_state.player.y = 1;
  for (const Case& c :
       {Case{0, "♫"}, Case{1, "ß"}, Case{2, "Γ"}, Case{3, "Γ"}, Case{4, "π"}, Case{9, "σ"},
        Case{11, "µ"}, Case{13, "τ"}, Case{15, "Φ"}, Case{17, "Θ"}, Case{19, "Ω"}, Case{20, "δ"},
        Case{23, "δ"}, Case{24, "δ"}, Case{255, "δ"}}) {
    game_state.round = c.round;
    EXPECT_EQ(glyph_at(draw(), 13, 23), c.glyph) << "round " << int{c.round};
  }
}

TEST_F(BoardRendererTest, PowerPelletsBonusItemsAndTunnelsAnimateWithTheTick) {
  struct Case {
    uint8_t tick;
    int power_pellet;
    int bonus_item;
    const char* shade;
  };
  set_cell(13, 23, 0x43);
  game_state.player.x = 1;
  game_state.player.y = 1;
  for (const Case& c : {Case{0, 15, 4, "▓"}, Case{1, 15, 4, "▒"}, Case{2, 8, 12, "░"},
                        Case{3, 8, 12, "▒"}, Case{4, 15, 4, "▓"}, Case{255, 8, 12, "▒"}}) {
    game_state.tick = c.tick;
    const ScreenSnapshot shot = draw();
    EXPECT_EQ(colour_at(shot, 1, 3), c.power_pellet) << "tick " << int{c.tick};
    EXPECT_EQ(colour_at(shot, 26, 23), c.power_pellet) << "tick " << int{c.tick};
    EXPECT_EQ(colour_at(shot, 13, 23), c.bonus_item) << "tick " << int{c.tick};
    EXPECT_EQ(glyph_at(shot, 0, 14), c.shade) << "tick " << int{c.tick};
    EXPECT_EQ(glyph_at(shot, 27, 14), c.shade) << "tick " << int{c.tick};
    EXPECT_EQ(colour_at(shot, 0, 14), 5);
  }
}

TEST_F(BoardRendererTest, TunnelColourRepeatsAfterTwelveLetters) {
  const int colours[26] = {5, 4, 3, 2, 6, 1,  13, 12, 11, 10, 14, 8, 5,
                           4, 3, 2, 6, 1, 13, 12, 11, 10, 14, 8,  5, 4};
  clear_figures();
  for (uint8_t letter = 0; letter < 26; ++letter) {
    set_cell(1 + letter, 5, static_cast<uint8_t>(0x20 + letter));
  }
  const ScreenSnapshot shot = draw();
  for (uint8_t letter = 0; letter < 26; ++letter) {
    EXPECT_EQ(colour_at(shot, 1 + letter, 5), colours[letter]) << "letter " << int{letter};
  }
}

TEST_F(BoardRendererTest, SpawnAndArrowCellsAreBlankInTheColourBefore) {
  clear_figures();
  set_cell(1, 5, 0x10);
  set_cell(2, 5, 0x1F);
  set_cell(3, 5, 0x05);
  set_cell(4, 5, 0x00);
  const ScreenSnapshot shot = draw();
  for (uint8_t x = 1; x <= 4; ++x) {
    EXPECT_EQ(glyph_at(shot, x, 5), " ");
    EXPECT_EQ(colour_at(shot, x, 5), 9);  // the wall at (0, 5)
  }
}

// Status lines

TEST_F(BoardRendererTest, ScoreLineShowsPointsAndWhatTheNextLifeNeeds) {
  struct Case {
    uint32_t score;
    uint32_t next_life_at;
    const char* line;
  };
  for (const Case& c : {Case{123, 1000, "Score:   1230      1UP: 8770"},
                        Case{1000, 1000, "Score:  10000      1UP:    0"},
                        Case{12345678, 12346678, "Score:3456780      1UP:10000"},
                        Case{429496730, 429496731, "Score:      4      1UP:   10"}}) {
    game_state.score = c.score;
    game_state.next_life_at = c.next_life_at;
    const ScreenSnapshot shot = draw();
    EXPECT_EQ(frame_text(shot, 0), c.line);
    EXPECT_EQ(frame_colours(shot, 0), "EEEEEEBBBBBBBEEEEEEEEEEBBBBB");
  }
}

TEST_F(BoardRendererTest, LivesLineMarksTheMostLivesAndShowsTheRoundFromOne) {
  struct Case {
    uint8_t lives;
    uint8_t round;
    const char* line;
  };
  for (const Case& c :
       {Case{3, 0, "Lives:  3          Round:  1"}, Case{255, 5, "Lives:255 (MAX)    Round:  6"},
        Case{254, 20, "Lives:254          Round: 21"},
        Case{0, 255, "Lives:  0          Round:256"}}) {
    game_state.lives = c.lives;
    game_state.round = c.round;
    const ScreenSnapshot shot = draw();
    EXPECT_EQ(frame_text(shot, kLivesRow), c.line);
    EXPECT_EQ(frame_colours(shot, kLivesRow), "EEEEEEBBBBBBBBBEEEEEEEEEEBBB");
  }
}

}  // namespace
