#include "game/round_tick.h"

#include "actors/chaser_house.h"
#include "actors/chaser_steering.h"
#include "actors/contact.h"
#include "actors/player.h"
#include "maze/board_queries.h"
#include "maze/cell_byte.h"
#include "maze/maze_compiler.h"

namespace {

constexpr uint8_t kPelletValue = 1;        // 10 points
constexpr uint8_t kPowerPelletValue = 5;   // 50 points
constexpr uint8_t kChaserValue = 40;       // 400 points
constexpr uint8_t kBonusValueFactor = 10;  // bonus values are in hundreds of points
constexpr uint8_t kFrightTicks = 70;
constexpr uint32_t kTensPerExtraLife = 1000;  // 10,000 points
constexpr uint8_t kBonusItemCell = kFloor | kItemBonus;
constexpr uint8_t kNoContact = 255;

void place_on_spawn(Actor& actor, const Board& board, uint8_t marker, uint8_t dir) {
  const uint16_t spawn = find_spawn(board, marker);
  actor.home_x = packed_x(spawn);
  actor.home_y = packed_y(spawn);
  actor.dir = dir;
  send_home(actor);
}

void score_item(GameState& game, uint8_t item) {
  switch (item) {
    case kItemPellet:
      game.score += kPelletValue;
      --game.pellets_left;
      break;
    case kItemPowerPellet:
      game.score += kPowerPelletValue;
      game.fright_timer = static_cast<uint8_t>(game.fright_timer + kFrightTicks);
      --game.pellets_left;
      break;
    case kItemBonus:
      game.score += kBonusValueFactor * bonus_table[bonus_row(game.round)].value;
      break;
    default:
      break;
  }
}

// Frightened chasers move only in ticks with an odd fright timer; returning ones in every tick.
void move_chasers(GameState& game) {
  const uint8_t fright = game.fright_timer;
  for (int i = 0; i < kChaserCount; ++i) {
    const bool returning = (game.house_timers[i] & kHouseReturning) != 0;
    if (fright == 0 || (fright & 1) != 0 || returning) {
      step_chaser(game.chasers[i], game.board, fright != 0, returning);
    }
  }
}

void settle_contact(GameState& game) {
  const uint8_t chaser = find_contact(game);
  if (chaser == kNoContact) {
    return;
  }
  if (game.fright_timer != 0) {
    game.score += kChaserValue;
    game.house_timers[chaser] = kHouseReturning;
    return;
  }
  --game.lives;
  send_home(game.player);
  for (int i = 0; i < kChaserCount; ++i) {
    game.house_timers[i] = static_cast<uint8_t>(15 * i + 1);
    send_home(game.chasers[i]);
  }
}

void give_extra_lives(GameState& game) {
  if (game.score <= game.next_life_at) {
    return;
  }
  const uint32_t earned = (game.score - game.next_life_at) / kTensPerExtraLife + 1;
  const uint32_t lives = game.lives + earned;
  game.lives = lives > kMostLives ? kMostLives : static_cast<uint8_t>(lives);
  game.next_life_at += kTensPerExtraLife * earned;
}

}  // namespace

void round_setup(GameState& game) {
  round_setup_from_layout(game, maze_layout(game.round % kLayoutCount));
}

void round_setup_from_layout(GameState& game, const MazeLayout& layout) {
  compile_maze(game.board, layout);
  game.mode_timer = 0;
  game.pellets_total =
      static_cast<uint16_t>(count_cells(game.board, kFloor | kItemPellet, 0xCF) +
                            count_cells(game.board, kFloor | kItemPowerPellet, 0xCF));
  game.pellets_left = game.pellets_total;
  game.bonus_count = 0;
  place_on_spawn(game.player, game.board, 0, kDirRight);
  for (int i = 0; i < kChaserCount; ++i) {
    place_on_spawn(game.chasers[i], game.board, static_cast<uint8_t>(i + 1),
                   static_cast<uint8_t>(i));
    game.house_timers[i] = static_cast<uint8_t>((i + 1) * 15);
  }
}

void place_bonus_item(GameState& game) {
  const uint16_t left = game.pellets_left;
  const uint16_t total = game.pellets_total;
  const bool first_due = left < (total >> 1) && game.bonus_count == 0;
  const bool second_due = left < (total >> 3) && game.bonus_count == 1;
  if (!first_due && !second_due) {
    return;
  }
  // The start cell comes from the maze's spawn marker, so it lies on the board.
  uint8_t& cell = game.board.cells[game.player.home_y * kBoardWidth + game.player.home_x];
  // An item not yet eaten keeps the next one waiting.
  if (cell != kBonusItemCell) {
    cell = kBonusItemCell;
    ++game.bonus_count;
  }
}

void update_round(GameState& game, uint8_t turn_request) {
  score_item(game, step_player(game.player, game.board, turn_request));
  update_targets(game);
  update_house(game);
  move_chasers(game);
  settle_contact(game);
  give_extra_lives(game);
}

void count_tick(GameState& game) {
  if (game.fright_timer != 0) {
    --game.fright_timer;
  } else {
    ++game.mode_timer;
  }
  ++game.tick;
}
