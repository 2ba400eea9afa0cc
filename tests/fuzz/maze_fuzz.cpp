// Maze compilation, every Board query and the moves of a round on any layout text. Rows and the
// Board live in allocations of their own, so AddressSanitizer sees a read past a row's end or
// outside the Board. Figures may be driven off the Board: every query must answer there too.
//
// Input: the first 31 lines are the layout rows, any length (a missing row is empty). Each byte
// after them is a tick of a round on that maze: bits 0 to 2 the turn request (4 to 7 turn, else
// none), bit 3 a power pellet's fright time, bit 4 sends chaser (bits 5 and 6) home as eaten.
// A byte with bit 7 set instead moves a figure (bits 4 to 6: 0 the player, 1 to 4 a chaser) to
// the next two bytes as column and row (0 past the end), or sets the score (5) or round (6, 7).
#include <algorithm>
#include <cstring>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "console/console.h"
#include "game/game_main.h"
#include "game/game_window.h"
#include "game/play_state.h"
#include "game/round_tick.h"
#include "maze/board_queries.h"
#include "maze/cell_byte.h"
#include "maze/maze_compiler.h"
#include "platform/host/console_host.h"
#include "render/board_renderer.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

constexpr uint8_t kFrightTicks = 70;

// Every value a compiled cell can hold: wall, door, floor with an item code 0 to 3, tunnel
// mouth, spawn marker or arrow.
void check_board(const Board& board) {
  for (const uint8_t cell : board.cells) {
    FUZZ_CHECK(cell >= 0x80           ? cell <= 151
               : is_floor_cell(cell)  ? (cell & kItemMask) <= kItemBonus
               : is_tunnel_cell(cell) ? cell <= 0x39
                                      : is_spawn_cell(cell) || is_arrow_cell(cell));
  }
}

// Every query at (x, y), where beyond the Board each answers as an isolated wall.
void query_cell(const Board& board, uint8_t x, uint8_t y) {
  const bool beyond = x >= kBoardWidth || y >= kBoardHeight;
  const uint8_t cell = cell_at(board, x, y);
  FUZZ_CHECK(!beyond || (cell == kOutsideCell && is_wall(board, x, y) &&
                         blocks_chaser(board, x, y) && arrow_at(board, x, y) == 0));
  const uint16_t partner = warp(board, x, y);
  FUZZ_CHECK(partner == pack_cell(x, y) ||
             (!beyond && is_tunnel_cell(cell) &&
              cell_at(board, packed_x(partner), packed_y(partner)) == cell));
  for (uint8_t dir = 0; dir < 8; ++dir) {
    FUZZ_CHECK(flat_neighbour(board, x, y, dir) == kOutsideCell || !beyond);
  }
  // Eating changes at most the cell eaten.
  Board eaten = board;
  eat_cell(eaten, x, y);
  if (!beyond) {
    eaten.cells[y * kBoardWidth + x] = cell;
  }
  FUZZ_CHECK(std::memcmp(eaten.cells, board.cells, kBoardCells) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* at = reinterpret_cast<const char*>(data);
  const char* const end = at + size;
  // Each row in an allocation of its own length, NUL included. Only the first 28 characters of
  // a row count, and a short row reads as filled with spaces: the even rows must compile alike.
  std::vector<std::unique_ptr<char[]>> rows;
  std::string even_rows[kBoardHeight];
  MazeLayout layout, even_layout;
  for (int y = 0; y < kBoardHeight; ++y) {
    const char* const row_end = std::find(at, end, '\n');
    rows.push_back(std::make_unique<char[]>(static_cast<size_t>(row_end - at) + 1));
    std::copy(at, row_end, rows.back().get());
    layout.rows[y] = rows.back().get();
    at = row_end == end ? end : row_end + 1;
    (even_rows[y] = layout.rows[y]).resize(kBoardWidth, ' ');
    even_layout.rows[y] = even_rows[y].c_str();
  }
  const auto board = std::make_unique<Board>();
  Board even_board;
  compile_maze(*board, layout);
  compile_maze(even_board, even_layout);
  check_board(*board);
  FUZZ_CHECK(std::memcmp(board->cells, even_board.cells, kBoardCells) == 0);
  // Every row and column of the Board, then coordinates beyond it that wrapping bytes reach.
  std::vector<uint8_t> tried(kBoardHeight);
  std::iota(tried.begin(), tried.end(), uint8_t{0});
  tried.insert(tried.end(), {28, 31, 127, 128, 254, 255});
  for (const uint8_t y : tried) {
    for (const uint8_t x : tried) {
      query_cell(*board, x, y);
    }
  }

  // The game record ends with its Board, so a write past the Board is past the allocation too.
  const auto game = std::make_unique<GameState>();
  game->lives = 3;
  game->next_life_at = 1000;
  round_setup_from_layout(*game, layout);
  const auto next = [&at, end] { return at == end ? uint8_t{0} : static_cast<uint8_t>(*at++); };
  while (at != end) {
    const uint8_t action = next();
    if ((action & 0x80) != 0) {
      const uint8_t what = (action >> 4) & 7, first = next(), second = next();
      if (what == 5) {
        game->score = uint32_t{first} << 24 | uint32_t{second} << 8;
      } else if (what >= 6) {
        game->round = first;
      } else {
        Actor& figure = what == 0 ? static_cast<Actor&>(game->player) : game->chasers[what - 1];
        figure.x = first;
        figure.y = second;
      }
      continue;
    }
    game->fright_timer += (action & 0x08) != 0 ? kFrightTicks : 0;
    if ((action & 0x10) != 0) {
      game->house_timers[(action >> 5) & 3] = kHouseReturning;
    }
    place_bonus_item(*game);
    update_round(*game, (action & 4) != 0 ? (action & 7) : 0);
    count_tick(*game);
    // A round keeps going here after its last life, so that every input plays all its ticks.
    game->lives = game->lives == 0 ? 3 : game->lives;
    check_board(game->board);
  }

  // The frame never reaches beyond its 28 columns, whatever the numbers in its lines.
  ConsoleHost& host = console_host();
  host.reset(kWindowColumns, kWindowRows);
  reset_program_state();
  FUZZ_CHECK(con_resolve() == 0);
  draw_board(kFrameColumn, kFrameRow, *game);
  for (int cell = 0; cell < kWindowColumns * kWindowRows; ++cell) {
    const int x = cell % kWindowColumns;
    FUZZ_CHECK(host.cell(x, cell / kWindowColumns).ch == ' ' ||
               (x >= kFrameColumn && x < kFrameColumn + kBoardWidth));
  }
  return 0;
}
