#include "actors/player.h"

#include "actors/actor_moves.h"
#include "maze/board_queries.h"

namespace {

// Bit 2 of a turn request says a turn is wanted; its two low bits give the Direction.
constexpr uint8_t kTurnWanted = 0x04;
// A refused turn is retried this many times: once more at once, then in each of the next three
// ticks.
constexpr uint8_t kTurnRetries = 4;

}  // namespace

uint8_t step_player(Player& player, Board& board, uint8_t turn_request) {
  if (turn_request & kTurnWanted) {
    const uint8_t wanted = turn_request & 3;
    if (!wall_towards(board, player, wanted)) {
      player.dir = wanted;
      player.queued_turn = 0;
    } else {
      player.queued_turn = static_cast<uint8_t>(wanted * 16 + kTurnRetries);
    }
  }

  if (player.queued_turn & 0x0F) {
    const uint8_t queued = (player.queued_turn >> 4) & 3;
    if (!wall_towards(board, player, queued)) {
      player.dir = queued;
    }
    --player.queued_turn;
  }

  if (!wall_towards(board, player, player.dir)) {
    move_ahead(player);
  }
  pass_tunnel(player, board);
  return eat_cell(board, player.x, player.y);
}
