#include "actors/actor_moves.h"

#include "maze/board_queries.h"

bool wall_towards(const Board& board, const Actor& actor, uint8_t dir) {
  return is_wall(board, step_x(actor.x, dir), step_y(actor.y, dir)) != 0;
}

void move_ahead(Actor& actor) {
  actor.x = step_x(actor.x, actor.dir);
  actor.y = step_y(actor.y, actor.dir);
}

void pass_tunnel(Actor& actor, const Board& board) {
  const uint16_t partner = warp(board, actor.x, actor.y);
  if (partner != pack_cell(actor.x, actor.y)) {
    actor.x = step_x(packed_x(partner), actor.dir);
    actor.y = step_y(packed_y(partner), actor.dir);
  }
}
