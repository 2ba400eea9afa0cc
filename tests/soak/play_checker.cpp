#include "play_checker.h"

#include "game_trace.h"
#include "maze/board_queries.h"
#include "maze/cell_byte.h"

namespace {

constexpr uint16_t kModeCycle = 270;
constexpr uint8_t kMostBonusItems = 2;
// House timers: 15 x (i + 1) at round set-up, then counted down; 128 while returning home.
constexpr uint8_t kLongestHold = 60;
constexpr uint8_t kMostLives = 255;
constexpr uint32_t kTensPerExtraLife = 1000;
// A new game starts from these; its first tick can eat at most a power pellet (5 tens).
constexpr uint32_t kFirstNextLife = 1000;
constexpr uint8_t kStartingLives = 3;
constexpr uint32_t kMostFirstTickScore = 5;

std::string describe(const char* rule, uint64_t before, uint64_t now) {
  return std::string(rule) + " (before " + std::to_string(before) + ", now " + std::to_string(now) +
         ")";
}

bool on_board(const Actor& actor) {
  return actor.x < kBoardWidth && actor.y < kBoardHeight;
}

uint16_t pellets_on_board(const Board& board) {
  return static_cast<uint16_t>(count_cells(board, kFloor | kItemPellet, 0xCF) +
                               count_cells(board, kFloor | kItemPowerPellet, 0xCF));
}

// What holds at any pause, whatever came before.
std::string check_alone(const GameState& state) {
  if (state.pellets_left > state.pellets_total) {
    return describe("more pellets left than the round had", state.pellets_total,
                    state.pellets_left);
  }
  if (pellets_on_board(state.board) != state.pellets_left) {
    return describe("pellets on the Board differ from pellets left", state.pellets_left,
                    pellets_on_board(state.board));
  }
  if (!on_board(state.player)) {
    return describe("player off the Board", state.player.x, state.player.y);
  }
  for (const Chaser& chaser : state.chasers) {
    if (!on_board(chaser)) {
      return describe("chaser off the Board", chaser.x, chaser.y);
    }
  }
  for (const uint8_t timer : state.house_timers) {
    if (timer > kLongestHold && timer != kHouseReturning) {
      return describe("house timer out of its range", kLongestHold, timer);
    }
  }
  if (state.score > state.next_life_at) {
    return describe("score past the next extra life", state.next_life_at, state.score);
  }
  if (state.bonus_count > kMostBonusItems) {
    return describe("too many bonus items", kMostBonusItems, state.bonus_count);
  }
  if (state.mode_timer >= kModeCycle) {
    return describe("mode timer past its cycle", kModeCycle, state.mode_timer);
  }
  return "";
}

// Lives go down by one for a lost life and up by one for each extra life, capped at 255; a
// count that wrapped past 0 or 255 matches neither.
bool lives_follow(const GameState& last, const GameState& state) {
  const uint32_t gained_tens = state.next_life_at - last.next_life_at;
  if (state.next_life_at < last.next_life_at || gained_tens % kTensPerExtraLife != 0) {
    return false;
  }
  const uint32_t gained = gained_tens / kTensPerExtraLife;
  for (uint32_t lost = 0; lost <= 1; ++lost) {
    if (lost > last.lives) {
      continue;
    }
    const uint32_t expected = last.lives - lost + gained;
    if (state.lives == (expected > kMostLives ? kMostLives : expected)) {
      return true;
    }
  }
  return false;
}

// From one pause to the next within a round.
std::string check_same_round(const GameState& last, const GameState& state, bool board_changed) {
  if (state.round != last.round) {
    return describe("round changed within a round", last.round, state.round);
  }
  if (state.pellets_total != last.pellets_total) {
    return describe("pellet total changed within a round", last.pellets_total, state.pellets_total);
  }
  if (state.pellets_left > last.pellets_left || state.pellets_left + 1 < last.pellets_left) {
    return describe("pellets left changed by more than one eaten", last.pellets_left,
                    state.pellets_left);
  }
  if (state.score < last.score) {
    return describe("score fell within a game", last.score, state.score);
  }
  if (state.bonus_count < last.bonus_count) {
    return describe("bonus count fell within a round", last.bonus_count, state.bonus_count);
  }
  const bool eaten = state.pellets_left < last.pellets_left || state.score > last.score;
  const bool bonus_placed = state.bonus_count > last.bonus_count;
  if (board_changed && !eaten && !bonus_placed) {
    return "the Board changed with nothing eaten and no bonus item placed";
  }
  if (state.pellets_left < last.pellets_left && !board_changed) {
    return "a pellet was eaten and the Board stayed the same";
  }
  return "";
}

}  // namespace

std::string PlayChecker::check(const GameState& state) {
  std::string problem = check_alone(state);
  const uint32_t board_hash_now = board_hash(state.board);
  if (problem.empty() && seen_) {
    const GameState& last = last_;
    if (state.tick != static_cast<uint8_t>(last.tick + 1)) {
      problem = describe("tick count did not go up by one", last.tick, state.tick);
    } else if (last.lives == 0) {
      // Game over, the title screen, and the first tick of a new game.
      if (state.round != 0 || state.lives != kStartingLives ||
          state.next_life_at != kFirstNextLife || state.score > kMostFirstTickScore) {
        problem = describe("a new game did not start afresh", last.score, state.score);
      }
    } else if (last.pellets_left == 0) {
      // Round complete, then the first tick of the next round.
      if (state.round != static_cast<uint8_t>(last.round + 1)) {
        problem = describe("the next round is not the one after", last.round, state.round);
      } else if (state.score < last.score) {
        problem = describe("score fell within a game", last.score, state.score);
      } else if (!lives_follow(last, state)) {
        problem = describe("lives changed other than by a lost or an extra life", last.lives,
                           state.lives);
      }
    } else {
      problem = check_same_round(last, state, board_hash_now != last_board_hash_);
      if (problem.empty() && !lives_follow(last, state)) {
        problem = describe("lives changed other than by a lost or an extra life", last.lives,
                           state.lives);
      }
    }
  }
  seen_ = true;
  last_ = state;
  last_board_hash_ = board_hash_now;
  return problem;
}
