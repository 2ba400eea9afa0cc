// Maze compilation, every Board query and the moves of a round on any layout text. Rows and the
// Board live in allocations of their own, so AddressSanitizer sees a read past a row's end or
// outside the Board. Figures may be driven off the Board: every query must answer there too.
//
// Input: the first 31 lines are the layout rows, any length (a missing row is empty). The bytes
// after them drive ticks of a round on that maze, one byte a tick: bits 0 to 2 the turn request
// (4 to 7 turn, else none), bit 3 a power pellet's fright time, bit 4 sends chaser (bits 5 and 6)
// home as eaten. A byte with bit 7 set instead moves a figure (bits 4 to 6: 0 the player, 1 to 4
// a chaser, 5 the score, 6 the round) to the next two bytes as column and row, or sets the score
// or the round from them; other values of those bits run a tick with no key.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/console_layer_state.h"
#include "console_host.h"
#include "fuzz_check.h"
#include "game/game_state.h"
#include "game/round_tick.h"
#include "maze/board_queries.h"
#include "maze/cell_byte.h"
#include "maze/maze_compiler.h"
#include "render/board_renderer.h"

namespace {

constexpr int kConsoleColumns = 55;
constexpr int kConsoleRows = 33;
constexpr uint8_t kFrameColumn = 13;
constexpr int kFrameWidth = 28;
constexpr uint8_t kFrightTicks = 70;
// Markers 0 to 15 and one beyond, which no cell can hold.
constexpr uint8_t kSpawnMarkersTried = 17;
// Coordinates beyond the Board that the figures can reach by wrapping bytes.
constexpr uint8_t kOffBoard[] = {28, 31, 127, 128, 254, 255};

// Every value a compiled cell can hold: wall, door, floor with an item code 0 to 3, tunnel
// mouth, spawn marker or arrow.
bool valid_cell(uint8_t cell) {
  if (cell >= 0x80) {
    return cell <= 151;
  }
  if (is_floor_cell(cell)) {
    return (cell & kItemMask) <= kItemBonus;
  }
  if (is_tunnel_cell(cell)) {
    return cell <= 0x39;
  }
  return is_spawn_cell(cell) || is_arrow_cell(cell);
}

void check_board(const Board& board) {
  for (const uint8_t cell : board.cells) {
    FUZZ_CHECK(valid_cell(cell));
  }
}

// Every query at (x, y); on the Board their answers are checked against the cell.
void query_cell(Board& board, uint8_t x, uint8_t y) {
  const bool on_board = x < kBoardWidth && y < kBoardHeight;
  const uint8_t cell = cell_at(board, x, y);
  FUZZ_CHECK(is_wall(board, x, y) == (cell & kWallBit));
  FUZZ_CHECK(blocks_chaser(board, x, y) <= 1);
  FUZZ_CHECK(arrow_at(board, x, y) == (is_arrow_cell(cell) ? cell : 0));
  const uint16_t partner = warp(board, x, y);
  if (partner != pack_cell(x, y)) {
    FUZZ_CHECK(on_board && is_tunnel_cell(cell));
    FUZZ_CHECK(cell_at(board, packed_x(partner), packed_y(partner)) == cell);
  }
  for (uint8_t dir = 0; dir < 8; ++dir) {
    FUZZ_CHECK(turn_when_blocked(board, x, y, dir) < 4);
    flat_neighbour(board, x, y, dir);
  }
  // Eating changes only the cell eaten, and only a floor cell's item.
  Board eaten = board;
  const uint8_t item = eat_cell(eaten, x, y);
  const size_t index = on_board ? static_cast<size_t>(y * kBoardWidth + x) : kBoardCells;
  FUZZ_CHECK(std::memcmp(eaten.cells, board.cells, index) == 0);
  if (on_board) {
    FUZZ_CHECK(std::memcmp(eaten.cells + index + 1, board.cells + index + 1,
                           kBoardCells - index - 1) == 0);
  }
  if (is_floor_cell(cell)) {
    FUZZ_CHECK(item == (cell & kItemMask));
    FUZZ_CHECK(cell_at(eaten, x, y) == (cell & ~kItemMask));
  } else {
    FUZZ_CHECK(item == (is_tunnel_cell(cell) ? kItemTunnel : kItemNone));
  }
}

void query_board(Board& board) {
  for (uint8_t y = 0; y < kBoardHeight; ++y) {
    for (uint8_t x = 0; x < kBoardWidth; ++x) {
      query_cell(board, x, y);
    }
  }
  for (const uint8_t off : kOffBoard) {
    for (uint8_t i = 0; i < kBoardHeight; ++i) {
      query_cell(board, off, i);
      query_cell(board, i, off);
    }
  }
  for (uint8_t n = 0; n < kSpawnMarkersTried; ++n) {
    const uint16_t spawn = find_spawn(board, n);
    const uint8_t cell = cell_at(board, packed_x(spawn), packed_y(spawn));
    FUZZ_CHECK(spawn == 0 || (is_spawn_cell(cell) && (cell & kMarkerNumberMask) == n));
  }
  count_cells(board, kFloor | kItemPellet, 0xCF);
}

void run_tick(GameState& game, uint8_t turn_request) {
  place_bonus_item(game);
  update_round(game, turn_request);
  count_tick(game);
  // A round keeps going here after its last life, so that every input plays all its ticks.
  if (game.lives == 0) {
    game.lives = 3;
  }
  check_board(game.board);
}

// Moves a figure anywhere, on the Board or off it, or sets the score or the round.
void set_by_action(GameState& game, uint8_t what, uint8_t first, uint8_t second) {
  if (what == 0) {
    game.player.x = first;
    game.player.y = second;
  } else if (what <= kChaserCount) {
    game.chasers[what - 1].x = first;
    game.chasers[what - 1].y = second;
  } else if (what == 5) {
    game.score = static_cast<uint32_t>(first) << 24 | static_cast<uint32_t>(second) << 8;
  } else {
    game.round = first;
  }
}

// The frame never reaches beyond its 28 columns, whatever the numbers in its lines.
void draw_and_check_frame(const GameState& game) {
  ConsoleHost& host = console_host();
  host.reset(kConsoleColumns, kConsoleRows);
  con_layer = ConsoleLayerState{};
  FUZZ_CHECK(con_resolve() == 0);
  draw_board(kFrameColumn, 0, game);
  for (int y = 0; y < kConsoleRows; ++y) {
    for (int x = 0; x < kConsoleColumns; ++x) {
      if (x < kFrameColumn || x >= kFrameColumn + kFrameWidth) {
        FUZZ_CHECK(host.cell(x, y).ch == ' ');
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* at = reinterpret_cast<const char*>(data);
  const char* const end = at + size;
  // Each row in an allocation of its own length, NUL included.
  std::vector<std::unique_ptr<char[]>> rows;
  MazeLayout layout;
  for (int y = 0; y < kBoardHeight; ++y) {
    const char* start = at;
    while (at != end && *at != '\n') {
      ++at;
    }
    const size_t length = static_cast<size_t>(at - start);
    rows.push_back(std::make_unique<char[]>(length + 1));
    std::copy(start, at, rows.back().get());
    layout.rows[y] = rows.back().get();
    if (at != end) {
      ++at;
    }
  }

  const auto board = std::make_unique<Board>();
  compile_maze(*board, layout);
  check_board(*board);

  // Only the first 28 characters of a row count, and a short row reads as filled with spaces.
  std::vector<std::string> even_rows;
  MazeLayout even_layout;
  for (int y = 0; y < kBoardHeight; ++y) {
    std::string row(layout.rows[y]);
    row.resize(kBoardWidth, ' ');
    even_rows.push_back(row);
  }
  for (int y = 0; y < kBoardHeight; ++y) {
    even_layout.rows[y] = even_rows[y].c_str();
  }
  const auto even_board = std::make_unique<Board>();
  compile_maze(*even_board, even_layout);
  FUZZ_CHECK(std::equal(board->cells, board->cells + kBoardCells, even_board->cells));

  query_board(*board);

  // The game record ends with its Board, so a write past the Board is past the allocation too.
  const auto game = std::make_unique<GameState>();
  game->lives = 3;
  game->next_life_at = 1000;
  round_setup_from_layout(*game, layout);
  while (at != end) {
    const auto action = static_cast<uint8_t>(*at++);
    if ((action & 0x80) != 0) {
      const uint8_t what = (action >> 4) & 7;
      if (what <= 6 && end - at >= 2) {
        set_by_action(*game, what, static_cast<uint8_t>(at[0]), static_cast<uint8_t>(at[1]));
        at += 2;
        continue;
      }
      run_tick(*game, 0);
      continue;
    }
    if ((action & 0x08) != 0) {
      game->fright_timer = static_cast<uint8_t>(game->fright_timer + kFrightTicks);
    }
    if ((action & 0x10) != 0) {
      game->house_timers[(action >> 5) & 3] = kHouseReturning;
    }
    run_tick(*game, (action & 4) != 0 ? (action & 7) : 0);
  }
  draw_and_check_frame(*game);
  return 0;
}
