#include "platform/headless/game_trace.h"

#include <cstdio>

namespace {

constexpr uint32_t kFnvOffset = 0x811c9dc5u;
constexpr uint32_t kFnvPrime = 0x01000193u;

// Appends printf-style text; every piece of a trace line is short.
template <typename... Values>
void append(std::string& out, const char* format, Values... values) {
  char piece[256];
  const int length = std::snprintf(piece, sizeof(piece), format, values...);
  out.append(piece, static_cast<size_t>(length));
}

}  // namespace

uint32_t board_hash(const Board& board) {
  uint32_t hash = kFnvOffset;
  for (uint8_t cell : board.cells) {
    hash ^= cell;
    hash *= kFnvPrime;
  }
  return hash;
}

std::string trace_json(const GameState& state, uint64_t pauses) {
  std::string out;
  append(out,
         "{\"pause\":%llu,\"round\":%u,\"score\":%u,\"next_life_at\":%u,\"lives\":%u,"
         "\"fright\":%u,\"mode\":%u,\"tick\":%u,\"pellets_left\":%u,\"pellets_total\":%u,"
         "\"bonus_count\":%u,",
         static_cast<unsigned long long>(pauses), unsigned{state.round}, state.score,
         state.next_life_at, unsigned{state.lives}, unsigned{state.fright_timer},
         unsigned{state.mode_timer}, unsigned{state.tick}, unsigned{state.pellets_left},
         unsigned{state.pellets_total}, unsigned{state.bonus_count});
  const Player& player = state.player;
  append(out, "\"player\":[%u,%u,%u,%u],\"chasers\":[", unsigned{player.x}, unsigned{player.y},
         unsigned{player.dir}, unsigned{player.queued_turn});
  for (int i = 0; i < kChaserCount; ++i) {
    const Chaser& chaser = state.chasers[i];
    append(out, "%s[%u,%u,%u,%u,%u,%u]", i > 0 ? "," : "", unsigned{chaser.x}, unsigned{chaser.y},
           unsigned{chaser.dir}, unsigned{chaser.target_x}, unsigned{chaser.target_y},
           unsigned{chaser.flags});
  }
  const uint8_t* house = state.house_timers;
  append(out, "],\"house\":[%u,%u,%u,%u],\"board\":\"%08x\"}", unsigned{house[0]},
         unsigned{house[1]}, unsigned{house[2]}, unsigned{house[3]}, board_hash(state.board));
  return out;
}
