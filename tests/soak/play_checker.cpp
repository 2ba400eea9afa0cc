#include "play_checker.h"

#include <initializer_list>

#include "game_trace.h"
#include "maze/board_queries.h"
#include "maze/cell_byte.h"

namespace {

// House timers: 15 x (i + 1) at round set-up, then counted down; 128 while returning home.
constexpr uint8_t kLongestHold = 60;
constexpr uint32_t kTensPerExtraLife = 1000;

struct Rule {
  bool holds;
  const char* name;
  uint64_t before;
  uint64_t now;
};

std::string first_broken(std::initializer_list<Rule> rules) {
  for (const Rule& rule : rules) {
    if (!rule.holds) {
      return std::string(rule.name) + " (before " + std::to_string(rule.before) + ", now " +
             std::to_string(rule.now) + ")";
    }
  }
  return "";
}

bool on_board(const Actor& actor) {
  return actor.x < kBoardWidth && actor.y < kBoardHeight;
}

// Lives go down by one for a lost life and up by one for each extra life, capped at 255; a
// count that wrapped past 0 or 255 matches neither.
bool lives_follow(const GameState& last, const GameState& state) {
  const uint32_t gained_tens = state.next_life_at - last.next_life_at;
  if (state.next_life_at < last.next_life_at || gained_tens % kTensPerExtraLife != 0) {
    return false;
  }
  for (uint32_t lost = 0; lost <= 1 && lost <= last.lives; ++lost) {
    const uint32_t expected = last.lives - lost + gained_tens / kTensPerExtraLife;
    if (state.lives == (expected > 255 ? 255 : expected)) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string PlayChecker::check(const GameState& state) {
  const GameState& last = last_;
  const Actor* off_board = on_board(state.player) ? nullptr : &state.player;
  for (const Chaser& chaser : state.chasers) {
    off_board = off_board == nullptr && !on_board(chaser) ? &chaser : off_board;
  }
  uint8_t wild_timer = 0;
  for (const uint8_t timer : state.house_timers) {
    wild_timer = timer > kLongestHold && timer != kHouseReturning ? timer : wild_timer;
  }
  const auto pellets =
      static_cast<uint16_t>(count_cells(state.board, kFloor | kItemPellet, 0xCF) +
                            count_cells(state.board, kFloor | kItemPowerPellet, 0xCF));
  const uint32_t board_hash_now = board_hash(state.board);
  const bool board_changed = board_hash_now != last_board_hash_;
  // After a game over comes the title screen and the first tick of a new game; after a round
  // complete, the first tick of the next round; else the same round goes on.
  const bool new_game = seen_ && last.lives == 0;
  const bool next_round = seen_ && !new_game && last.pellets_left == 0;
  const bool same_round = seen_ && !new_game && !next_round;
  const bool eaten = state.pellets_left < last.pellets_left || state.score > last.score;
  const std::string problem = first_broken({
      {state.pellets_left <= state.pellets_total, "more pellets left than the round had",
       state.pellets_total, state.pellets_left},
      {pellets == state.pellets_left, "pellets on the Board differ from pellets left",
       state.pellets_left, pellets},
      {off_board == nullptr, "a figure off the Board (column, row)", off_board ? off_board->x : 0u,
       off_board ? off_board->y : 0u},
      {wild_timer == 0, "house timer out of its range", kLongestHold, wild_timer},
      {state.score <= state.next_life_at, "score past the next extra life", state.next_life_at,
       state.score},
      {state.bonus_count <= 2, "more than two bonus items", 2, state.bonus_count},
      {state.mode_timer < 270, "mode timer past its cycle of 270 ticks", 270, state.mode_timer},
      {!seen_ || state.tick == static_cast<uint8_t>(last.tick + 1),
       "tick count did not go up by one", last.tick, state.tick},
      // A new game's first tick can eat at most a power pellet (5 tens).
      {!new_game ||
           (state.round == 0 && state.lives == 3 && state.next_life_at == 1000 && state.score <= 5),
       "a new game did not start afresh", last.score, state.score},
      {!next_round || state.round == static_cast<uint8_t>(last.round + 1),
       "the next round is not the one after", last.round, state.round},
      {!same_round || state.round == last.round, "round changed within a round", last.round,
       state.round},
      {!same_round || state.pellets_total == last.pellets_total,
       "pellet total changed within a round", last.pellets_total, state.pellets_total},
      {!same_round ||
           (state.pellets_left <= last.pellets_left && state.pellets_left + 1 >= last.pellets_left),
       "pellets left changed by more than one eaten", last.pellets_left, state.pellets_left},
      {new_game || state.score >= last.score, "score fell within a game", last.score, state.score},
      {!same_round || state.bonus_count >= last.bonus_count, "bonus count fell within a round",
       last.bonus_count, state.bonus_count},
      {!same_round || !board_changed || eaten || state.bonus_count > last.bonus_count,
       "the Board changed with nothing eaten and no bonus item placed (score)", last.score,
       state.score},
      {!same_round || state.pellets_left == last.pellets_left || board_changed,
       "a pellet was eaten and the Board stayed the same (pellets left)", last.pellets_left,
       state.pellets_left},
      {new_game || !seen_ || lives_follow(last, state),
       "lives changed other than by a lost or an extra life", last.lives, state.lives},
  });
  seen_ = true;
  last_ = state;
  last_board_hash_ = board_hash_now;
  return problem;
}
