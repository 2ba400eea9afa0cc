#include "maze/maze_compiler.h"

#include "maze/board_queries.h"
#include "maze/cell_byte.h"

namespace {

constexpr int kLetterCount = 26;

// Wall codes indexed by the joins up * 8 + down * 4 + left * 2 + right.
constexpr uint8_t kShapeCodes[16] = {128, 129, 129, 129, 130, 134, 133, 138,
                                     130, 132, 131, 139, 130, 136, 137, 135};

// The layout character at (x, y). A row read past its end, or a missing row, holds spaces; the
// row is never read beyond its terminator.
char layout_char(const MazeLayout& layout, uint8_t x, uint8_t y) {
  const char* row = layout.rows[y];
  if (row == nullptr) {
    return ' ';
  }
  for (uint8_t column = 0; column < x; ++column) {
    if (row[column] == '\0') {
      return ' ';
    }
  }
  return row[x] == '\0' ? ' ' : row[x];
}

// Whether the cell (x, y) lies in the layout and carries the character.
bool carries(const MazeLayout& layout, int x, int y, char character) {
  if (x < 0 || x >= kBoardWidth || y < 0 || y >= kBoardHeight) {
    return false;
  }
  return layout_char(layout, static_cast<uint8_t>(x), static_cast<uint8_t>(y)) == character;
}

// The Cell byte of a layout character other than a wall or a door.
uint8_t translate(char character) {
  switch (character) {
    case '.':
      return kFloor | kItemPellet;
    case 'O':
      return kFloor | kItemPowerPellet;
    case '?':
      return kFloor | kItemBonus;
    case '~':
      return kFloor | kRestrictedBit;
    case '!':
      return kFloor | kRestrictedBit | kItemPellet;
    case 'X':
      return kFloor | kRestrictedBit | kItemPowerPellet;
    case ';':
      return kFloor | kRestrictedBit | kItemBonus;
    case '^':
      return kArrowCell | kDirUp;
    case '>':
      return kArrowCell | kDirRight;
    case 'V':
      return kArrowCell | kDirDown;
    case '<':
      return kArrowCell | kDirLeft;
    default:
      break;
  }
  if (character >= '0' && character <= '9') {
    return static_cast<uint8_t>(kSpawnMarker + (character - '0'));
  }
  if (character >= 'A' && character <= 'F') {
    return static_cast<uint8_t>(kSpawnMarker + 10 + (character - 'A'));
  }
  if (character >= 'a' && character <= 'z') {
    return static_cast<uint8_t>(kTunnelMouth + (character - 'a'));
  }
  return kFloor;
}

// Floor with at most one wall among its four flat-Board neighbours is a junction.
void mark_junctions(Board& board) {
  for (uint8_t y = 0; y < kBoardHeight; ++y) {
    for (uint8_t x = 0; x < kBoardWidth; ++x) {
      uint8_t& cell = board.cells[y * kBoardWidth + x];
      if (!is_floor_cell(cell)) {
        continue;
      }
      int open = 0;
      for (uint8_t dir = 0; dir < 4; ++dir) {
        if (!(flat_neighbour(board, x, y, dir) & kWallBit)) {
          ++open;
        }
      }
      if (open >= 3) {
        cell |= kJunctionBit;
      }
    }
  }
}

}  // namespace

uint8_t wall_shape(const MazeLayout& layout, uint8_t x, uint8_t y, char character) {
  const bool up = carries(layout, x, y - 1, character);
  const bool down = carries(layout, x, y + 1, character);
  const bool left = carries(layout, x - 1, y, character);
  const bool right = carries(layout, x + 1, y, character);
  return kShapeCodes[up * 8 + down * 4 + left * 2 + right];
}

void compile_maze(Board& board, const MazeLayout& layout) {
  // Letters met once, and letters met again: a letter met only once becomes a wall.
  uint32_t letters_seen = 0;
  uint32_t letters_seen_again = 0;
  for (uint8_t y = 0; y < kBoardHeight; ++y) {
    for (uint8_t x = 0; x < kBoardWidth; ++x) {
      const char character = layout_char(layout, x, y);
      uint8_t cell;
      if (character == '#') {
        cell = wall_shape(layout, x, y, '#');
      } else if (character == '+') {
        cell = wall_shape(layout, x, y, '+') - kWallBase + kDoorBase;
      } else {
        cell = translate(character);
        if (is_tunnel_cell(cell)) {
          const uint32_t letter = 1u << (cell - kTunnelMouth);
          if (letters_seen & letter) {
            letters_seen_again |= letter;
          }
          letters_seen |= letter;
        }
      }
      board.cells[y * kBoardWidth + x] = cell;
    }
  }

  mark_junctions(board);

  for (uint8_t letter = 0; letter < kLetterCount; ++letter) {
    const uint32_t bit = 1u << letter;
    if (!(letters_seen & bit) || (letters_seen_again & bit)) {
      continue;
    }
    for (uint8_t y = 0; y < kBoardHeight; ++y) {
      for (uint8_t x = 0; x < kBoardWidth; ++x) {
        uint8_t& cell = board.cells[y * kBoardWidth + x];
        if (cell == kTunnelMouth + letter) {
          cell = wall_shape(layout, x, y, '#');
        }
      }
    }
  }
}
