#include "maze/board_queries.h"

#include "maze/cell_byte.h"

namespace {

constexpr int8_t kStepX[4] = {0, 1, 0, -1};
constexpr int8_t kStepY[4] = {-1, 0, 1, 0};

bool on_board(uint8_t x, uint8_t y) {
  return x < kBoardWidth && y < kBoardHeight;
}

}  // namespace

int8_t dir_dx(uint8_t dir) {
  return kStepX[dir & 3];
}
int8_t dir_dy(uint8_t dir) {
  return kStepY[dir & 3];
}

uint8_t cell_at(const Board& board, uint8_t x, uint8_t y) {
  if (!on_board(x, y)) {
    return kOutsideCell;
  }
  return board.cells[y * kBoardWidth + x];
}

uint8_t flat_neighbour(const Board& board, uint8_t x, uint8_t y, uint8_t dir) {
  if (!on_board(x, y)) {
    return kOutsideCell;
  }
  const int index = (y + dir_dy(dir)) * kBoardWidth + x + dir_dx(dir);
  if (index < 0 || index >= kBoardCells) {
    return kOutsideCell;
  }
  return board.cells[index];
}

uint8_t is_wall(const Board& board, uint8_t x, uint8_t y) {
  return cell_at(board, x, y) & kWallBit;
}

uint16_t count_cells(const Board& board, uint8_t value, uint8_t mask) {
  uint16_t count = 0;
  for (int i = 0; i < kBoardCells; ++i) {
    if ((board.cells[i] & mask) == (value & mask)) {
      ++count;
    }
  }
  return count;
}

uint8_t blocks_chaser(const Board& board, uint8_t x, uint8_t y) {
  const uint8_t cell = cell_at(board, x, y);
  if (cell & kWallBit) {
    return 1;
  }
  // The restricted bit counts only on floor: spawn markers and late tunnel letters carry it too.
  return is_floor_cell(cell) && (cell & kRestrictedBit) ? 1 : 0;
}

uint8_t eat_cell(Board& board, uint8_t x, uint8_t y) {
  const uint8_t cell = cell_at(board, x, y);
  if (is_floor_cell(cell)) {
    board.cells[y * kBoardWidth + x] = kFloor | (cell & (kRestrictedBit | kJunctionBit));
    return cell & kItemMask;
  }
  return is_tunnel_cell(cell) ? kItemTunnel : kItemNone;
}

uint8_t arrow_at(const Board& board, uint8_t x, uint8_t y) {
  const uint8_t cell = cell_at(board, x, y);
  return is_arrow_cell(cell) ? cell : 0;
}

uint16_t find_spawn(const Board& board, uint8_t n) {
  for (int i = 0; i < kBoardCells; ++i) {
    const uint8_t cell = board.cells[i];
    if (is_spawn_cell(cell) && (cell & kMarkerNumberMask) == n) {
      return pack_cell(i % kBoardWidth, i / kBoardWidth);
    }
  }
  return 0;
}

uint16_t warp(const Board& board, uint8_t x, uint8_t y) {
  const uint8_t mouth = cell_at(board, x, y);
  if (is_tunnel_cell(mouth)) {
    const int own = y * kBoardWidth + x;
    for (int i = 0; i < kBoardCells; ++i) {
      if (i != own && board.cells[i] == mouth) {
        return pack_cell(i % kBoardWidth, i / kBoardWidth);
      }
    }
  }
  return pack_cell(x, y);
}

uint8_t turn_when_blocked(const Board& board, uint8_t x, uint8_t y, uint8_t dir) {
  const uint8_t right = turn_right(dir);
  if (!(flat_neighbour(board, x, y, right) & kWallBit)) {
    return right;
  }
  const uint8_t left = turn_left(dir);
  if (!(flat_neighbour(board, x, y, left) & kWallBit)) {
    return left;
  }
  return reverse_dir(dir);
}
