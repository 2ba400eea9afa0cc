#include "tests/actors/round_driver.h"

#include "actors/chaser_house.h"
#include "actors/chaser_steering.h"
#include "actors/player.h"
#include "maze/board_queries.h"
#include "maze/maze_compiler.h"

namespace {

void set_home(Actor& actor, uint16_t spawn) {
  actor.home_x = packed_x(spawn);
  actor.home_y = packed_y(spawn);
}

}  // namespace

void set_up_round(GameState& game, Board& board, const MazeLayout& layout) {
  compile_maze(board, layout);
  game.mode_timer = 0;
  game.pellets_total = count_cells(board, 0x41, 0xCF) + count_cells(board, 0x42, 0xCF);
  game.pellets_left = game.pellets_total;
  game.bonus_count = 0;
  set_home(game.player, find_spawn(board, 0));
  game.player.dir = kDirRight;
  send_home(game.player);
  for (uint8_t i = 0; i < kChaserCount; ++i) {
    set_home(game.chasers[i], find_spawn(board, i + 1));
    game.chasers[i].dir = i;
    send_home(game.chasers[i]);
    game.house_timers[i] = (i + 1) * 15;
  }
}

void play_tick(GameState& game, Board& board, uint8_t turn_request) {
  switch (step_player(game.player, board, turn_request)) {
    case 1:
      game.score += 1;
      --game.pellets_left;
      break;
    case 2:
      game.score += 5;
      game.fright_timer += 70;
      --game.pellets_left;
      break;
    case 3:
      game.score += 10 * bonus_table[bonus_row(game.round)].value;
      break;
    default:
      break;
  }
  update_targets(game);
  update_house(game);
  const uint8_t fright = game.fright_timer;
  for (int i = 0; i < kChaserCount; ++i) {
    const bool returning = game.house_timers[i] & kHouseReturning;
    if (fright == 0 || (fright & 1) || returning) {
      step_chaser(game.chasers[i], board, fright != 0, returning);
    }
  }
  if (game.fright_timer != 0) {
    --game.fright_timer;
  } else {
    ++game.mode_timer;
  }
  ++game.tick;
}
