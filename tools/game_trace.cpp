#include "game_trace.h"

#include <cstdio>

namespace {

constexpr uint32_t kFnvOffset = 0x811c9dc5u;
constexpr uint32_t kFnvPrime = 0x01000193u;

std::string field(const char* name, uint64_t value) {
  return std::string("\"") + name + "\":" + std::to_string(value);
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
  std::string out = "{" + field("pause", pauses) + "," + field("round", state.round) + "," +
                    field("score", state.score) + "," + field("next_life_at", state.next_life_at) +
                    "," + field("lives", state.lives) + "," + field("fright", state.fright_timer) +
                    "," + field("mode", state.mode_timer) + "," + field("tick", state.tick) + "," +
                    field("pellets_left", state.pellets_left) + "," +
                    field("pellets_total", state.pellets_total) + "," +
                    field("bonus_count", state.bonus_count) + ",";
  const Player& player = state.player;
  out += "\"player\":[" + std::to_string(player.x) + "," + std::to_string(player.y) + "," +
         std::to_string(player.dir) + "," + std::to_string(player.queued_turn) + "],\"chasers\":[";
  for (int i = 0; i < kChaserCount; ++i) {
    const Chaser& chaser = state.chasers[i];
    out += (i > 0 ? ",[" : "[") + std::to_string(chaser.x) + "," + std::to_string(chaser.y) + "," +
           std::to_string(chaser.dir) + "," + std::to_string(chaser.target_x) + "," +
           std::to_string(chaser.target_y) + "," + std::to_string(chaser.flags) + "]";
  }
  out += "],\"house\":[";
  for (int i = 0; i < kChaserCount; ++i) {
    out += (i > 0 ? "," : "") + std::to_string(state.house_timers[i]);
  }
  char hash[9];
  std::snprintf(hash, sizeof(hash), "%08x", board_hash(state.board));
  out += "],\"board\":\"" + std::string(hash) + "\"}";
  return out;
}
