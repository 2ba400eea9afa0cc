#include "render/board_renderer.h"

#include "console/console.h"
#include "console/palette.h"
#include "maze/cell_byte.h"
#include "render/colour_text.h"
#include "runtime/format.h"

namespace {

// A cell whose look sets no colour is written in the foreground left by the cell before it.
constexpr uint8_t kKeepColour = 0xFF;

struct CellLook {
  uint8_t character;
  uint8_t colour;
};

// Walls in double lines for shapes 0 to 11, then doors in single lines in the same shapes.
constexpr uint8_t kWallGlyphs[24] = {
    0x20, 0xCD, 0xBA, 0xBC, 0xC8, 0xBB, 0xC9, 0xCE, 0xCC, 0xB9, 0xCB, 0xCA,
    0x20, 0xC4, 0xB3, 0xD9, 0xC0, 0xBF, 0xDA, 0xC5, 0xC3, 0xB4, 0xC2, 0xC1,
};
constexpr uint8_t kFirstDoorGlyph = 12;

// Walls change colour after each pass through the five mazes, pellets after four passes.
constexpr uint8_t kWallColours[4] = {kBlue, kGreen, kYellow, kDarkGrey};
constexpr uint8_t kPelletColours[4] = {kGrey, kDarkRed, kDarkGreen, kDarkCyan};

constexpr uint8_t kTunnelColours[12] = {kDarkMagenta, kDarkRed,  kDarkCyan, kDarkGreen,
                                        kDarkYellow,  kDarkBlue, kMagenta,  kRed,
                                        kCyan,        kGreen,    kYellow,   kDarkGrey};
constexpr uint8_t kTunnelLetterMask = 0x1F;
// All tunnel mouths shimmer together, by the tick counter.
constexpr uint8_t kTunnelShades[4] = {0xB2, 0xB1, 0xB0, 0xB1};

// The player's mouth opens towards its way: up, right, down, left.
constexpr uint8_t kPlayerGlyphs[4] = {'v', '<', '^', '>'};

constexpr uint8_t kChaserGlyphs[kChaserCount] = {3, 4, 5, 6};
constexpr uint8_t kChaserColours[kChaserCount] = {kRed, kMagenta, kCyan, kDarkYellow};
constexpr uint8_t kReturningGlyph = 236;
constexpr uint8_t kReturningColour = kDarkCyan;
// The last ticks of the frightened phase, in which the chasers flicker back to their own colours.
constexpr uint8_t kFrightEndingTicks = 20;

constexpr uint8_t kPelletGlyph = 249;
constexpr uint8_t kPowerPelletGlyph = 15;
constexpr uint8_t kFirstBonusGlyph = 14;
constexpr uint8_t kBonusGlyphBase = 0xE0;

constexpr int kLineBufferSize = 64;

// Power pellets and bonus items blink: two ticks bright, two ticks dim.
bool blink_bright(uint8_t tick) {
  return (tick & 3) < 2;
}

uint8_t bonus_glyph(uint8_t round) {
  const uint8_t row = bonus_row(round);
  return row == 0 ? kFirstBonusGlyph : static_cast<uint8_t>(kBonusGlyphBase + row);
}

CellLook chaser_look(const GameState& game, int index) {
  if ((game.house_timers[index] & kHouseReturning) != 0) {
    return {kReturningGlyph, kReturningColour};
  }
  const uint8_t fright = game.fright_timer;
  const bool odd = (fright & 1) != 0;
  if (fright > kFrightEndingTicks || odd) {
    return {kChaserGlyphs[index], odd ? kGrey : kDarkBlue};
  }
  return {kChaserGlyphs[index], kChaserColours[index]};
}

CellLook board_look(const GameState& game, uint8_t cell) {
  if ((cell & kWallBit) != 0) {
    const uint8_t glyph = static_cast<uint8_t>((cell & 0x7F) % 24);
    const uint8_t colour = glyph < kFirstDoorGlyph ? kWallColours[(game.round / 5) % 4] : kGrey;
    return {kWallGlyphs[glyph], colour};
  }
  if (is_floor_cell(cell)) {
    switch (cell & kItemMask) {
      case kItemPellet:
        return {kPelletGlyph, kPelletColours[(game.round / 20) % 4]};
      case kItemPowerPellet:
        return {kPowerPelletGlyph, blink_bright(game.tick) ? kWhite : kDarkGrey};
      case kItemBonus:
        return {bonus_glyph(game.round), blink_bright(game.tick) ? kDarkRed : kRed};
      default:
        return {' ', kKeepColour};
    }
  }
  if (is_tunnel_cell(cell)) {
    return {kTunnelShades[game.tick & 3], kTunnelColours[(cell & kTunnelLetterMask) % 12]};
  }
  // Spawn markers and arrow cells show as empty floor.
  return {' ', kKeepColour};
}

// The player before the chasers, a lower-numbered chaser before a higher one, the figures before
// the Board.
CellLook cell_look(const GameState& game, uint8_t x, uint8_t y) {
  if (game.player.x == x && game.player.y == y) {
    return {kPlayerGlyphs[game.player.dir & 3], kYellow};
  }
  for (int index = 0; index < kChaserCount; ++index) {
    if (game.chasers[index].x == x && game.chasers[index].y == y) {
      return chaser_look(game, index);
    }
  }
  return board_look(game, game.board.cells[y * kBoardWidth + x]);
}

}  // namespace

void draw_board(uint8_t column, uint8_t row, const GameState& game) {
  char line[kLineBufferSize];

  con_set_cursor_pos(column, row);
  fmt_print(line, YELLOW "Score:" CYAN "%7u" YELLOW "      1UP:" CYAN "%5u", game.score * 10,
            (game.next_life_at - game.score) * 10);
  write_colour_text(line);

  for (uint8_t y = 0; y < kBoardHeight; ++y) {
    con_set_cursor_pos(column, row + 1 + y);
    for (uint8_t x = 0; x < kBoardWidth; ++x) {
      const CellLook look = cell_look(game, x, y);
      if (look.colour != kKeepColour) {
        con_set_fg(look.colour);
      }
      con_put_char(look.character);
    }
  }

  con_set_cursor_pos(column, row + 1 + kBoardHeight);
  fmt_print(line, YELLOW "Lives:" CYAN "%3u %5s" YELLOW "    Round:" CYAN "%3u",
            static_cast<uint32_t>(game.lives), game.lives == kMostLives ? "(MAX)" : "",
            static_cast<uint32_t>(game.round) + 1);
  write_colour_text(line);
}
