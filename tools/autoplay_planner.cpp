#include "tools/autoplay_planner.h"

#include <deque>

#include "actors/actor_moves.h"
#include "actors/random.h"
#include "game/game_state.h"
#include "game/round_tick.h"
#include "game/title_screen.h"
#include "maze/board_queries.h"
#include "maze/cell_byte.h"

namespace {

constexpr int kLookahead = 16;
constexpr uint8_t kRequests[] = {0, kTurnUp, kTurnRight, kTurnDown, kTurnLeft};
constexpr int kNone = -1;

bool is_food(const GameState& game, uint8_t x, uint8_t y) {
  const uint8_t cell = cell_at(game.board, x, y);
  if (is_floor_cell(cell) && (cell & kItemMask) != kItemNone) {
    return true;
  }
  if (game.fright_timer <= 10) {
    return false;
  }
  for (int i = 0; i < kChaserCount; ++i) {
    const Chaser& chaser = game.chasers[i];
    if ((game.house_timers[i] & kHouseReturning) == 0 && chaser.x == x && chaser.y == y) {
      return true;
    }
  }
  return false;
}

// The first direction of a shortest walk to the nearest food, moving as the player moves;
// kNone when nothing can be reached.
int direction_to_food(const GameState& game) {
  bool seen[kBoardCells] = {};
  struct Step {
    Actor at;
    int first;
  };
  std::deque<Step> queue;
  queue.push_back({game.player, kNone});
  seen[game.player.y * kBoardWidth + game.player.x] = true;
  while (!queue.empty()) {
    const Step step = queue.front();
    queue.pop_front();
    for (uint8_t dir = 0; dir < 4; ++dir) {
      Actor next = step.at;
      next.dir = dir;
      if (wall_towards(game.board, next, dir)) {
        continue;
      }
      move_ahead(next);
      pass_tunnel(next, game.board);
      if (next.x >= kBoardWidth || next.y >= kBoardHeight) {
        continue;
      }
      const int index = next.y * kBoardWidth + next.x;
      if (seen[index]) {
        continue;
      }
      seen[index] = true;
      const int first = step.first == kNone ? dir : step.first;
      if (is_food(game, next.x, next.y)) {
        return first;
      }
      queue.push_back({next, first});
    }
  }
  return kNone;
}

// One tick as the play state runs it, without the keyboard and the frame.
void play_tick(GameState& game, uint8_t request) {
  place_bonus_item(game);
  update_round(game, request);
  count_tick(game);
}

// What asking for `request` now, then walking towards food, is worth over the next ticks.
long long judge(const GameState& start, uint8_t request) {
  GameState game = start;
  const RandomState random = random_state;
  play_tick(game, request);
  for (int tick = 0; tick < kLookahead && game.lives == start.lives && game.pellets_left != 0;
       ++tick) {
    const int dir = direction_to_food(game);
    play_tick(game, dir == kNone ? 0 : static_cast<uint8_t>(kTurnUp + dir));
  }
  random_state = random;
  if (game.lives < start.lives) {
    return -1000000;
  }
  long long value = 100LL * (game.score - start.score);
  // Of requests worth the same, prefer the one that starts towards food at once.
  const int dir = direction_to_food(start);
  if (dir != kNone && request == kTurnUp + dir) {
    value += 1;
  }
  return value;
}

uint8_t choose_request(const GameState& game) {
  uint8_t best = 0;
  long long best_value = judge(game, 0);
  for (uint8_t request : kRequests) {
    const long long value = judge(game, request);
    if (value > best_value) {
      best = request;
      best_value = value;
    }
  }
  return best;
}

char key_for(uint8_t request) {
  switch (request) {
    case kTurnUp:
      return 'w';
    case kTurnRight:
      return 'd';
    case kTurnDown:
      return 's';
    default:
      return 'a';
  }
}

void add_line(std::string& script, long pauses, const char* keys) {
  script += std::to_string(pauses) + " " + keys + "\n";
}

}  // namespace

std::string plan_game_script(uint32_t until_score, long max_ticks) {
  const RandomState saved_random = random_state;
  random_state = RandomState{};
  GameState game = {};
  reset_game(game);
  round_setup(game);
  std::string script = "0 s\n";
  long pauses = 0;
  while (pauses < max_ticks && game.lives != 0 && game.score < until_score) {
    if (game.pellets_left == 0) {
      add_line(script, pauses, "\\s");  // the round-complete screen goes on
      ++game.round;
      round_setup(game);
      continue;
    }
    place_bonus_item(game);
    const uint8_t request = choose_request(game);
    if (request != 0) {
      const char keys[] = {key_for(request), '\0'};
      add_line(script, pauses, keys);
    }
    update_round(game, request);
    count_tick(game);
    ++pauses;
  }
  add_line(script, pauses, "\\e");
  add_line(script, pauses + 1, "q");
  random_state = saved_random;
  return script;
}
