#include "actors/chaser_steering.h"

#include "actors/actor_moves.h"
#include "actors/random.h"
#include "maze/board_queries.h"
#include "maze/cell_byte.h"

namespace {

// Scores of neighbours that may not be entered, and of the way back.
constexpr uint16_t kBlockedScore = 0x7FFF;
constexpr uint16_t kReverseScore = 0xFFFF;
// After up, the order in which a strictly smaller score takes over the choice.
constexpr uint8_t kTieOrder[3] = {kDirLeft, kDirDown, kDirRight};

// The squared distance from (x, y) to the target, kept in 16 bits.
uint16_t distance_score(uint8_t x, uint8_t y, const Chaser& chaser) {
  const int dx = x - chaser.target_x;
  const int dy = y - chaser.target_y;
  return static_cast<uint16_t>(dx * dx + dy * dy);
}

}  // namespace

uint8_t pick_random(const uint16_t scores[4]) {
  uint8_t open[4];
  uint8_t count = 0;
  for (uint8_t dir = 0; dir < 4; ++dir) {
    if (scores[dir] != kBlockedScore) {
      open[count++] = dir;
    }
  }
  if (count == 0) {
    return kDirUp;
  }
  return open[next_random() % count];
}

uint8_t choose_direction(const Chaser& chaser, const Board& board, bool frightened,
                         bool returning) {
  uint16_t scores[4];
  for (uint8_t dir = 0; dir < 4; ++dir) {
    const uint8_t x = step_x(chaser.x, dir);
    const uint8_t y = step_y(chaser.y, dir);
    const bool open = returning ? !is_wall(board, x, y) : !blocks_chaser(board, x, y);
    scores[dir] = open ? distance_score(x, y, chaser) : kBlockedScore;
  }
  scores[reverse_dir(chaser.dir)] = kReverseScore;

  if (frightened && !returning) {
    return pick_random(scores);
  }
  // Smallest score, ties going to up, then left, then down, then right.
  uint8_t best = kDirUp;
  for (const uint8_t dir : kTieOrder) {
    if (scores[dir] < scores[best]) {
      best = dir;
    }
  }
  return best;
}

void step_chaser(Chaser& chaser, const Board& board, bool frightened, bool returning) {
  if (chaser.flags & kFollowArrows) {
    const uint8_t arrow = arrow_at(board, chaser.x, chaser.y);
    if (arrow) {
      chaser.dir = arrow & 3;
      move_ahead(chaser);
      return;
    }
  }

  if (is_junction_cell(cell_at(board, chaser.x, chaser.y))) {
    const uint8_t chosen = choose_direction(chaser, board, frightened, returning);
    if (chosen != reverse_dir(chaser.dir)) {
      chaser.dir = chosen;
    }
  }

  if (wall_towards(board, chaser, chaser.dir)) {
    chaser.dir = turn_when_blocked(board, chaser.x, chaser.y, chaser.dir);
  }
  if (!wall_towards(board, chaser, chaser.dir)) {
    move_ahead(chaser);
  }
  pass_tunnel(chaser, board);
}
