#include "actors/contact.h"

#include "maze/board_queries.h"

uint8_t find_contact(const GameState& game) {
  const Player& player = game.player;
  for (uint8_t i = 0; i < kChaserCount; ++i) {
    const Chaser& chaser = game.chasers[i];
    if (chaser.x == player.x && chaser.y == player.y) {
      return i;
    }
    const uint8_t behind = reverse_dir(chaser.dir);
    if (player.dir == behind && player.x == step_x(chaser.x, behind) &&
        player.y == step_y(chaser.y, behind)) {
      return i;
    }
  }
  return 255;
}
