#include "game_trace.h"

#include <gtest/gtest.h>

namespace {

TEST(BoardHashTest, IsFnv1aOverTheCellsInOrder) {
  Board board{};
  EXPECT_EQ(board_hash(board), 0x8bbd9c95u);
  for (int i = 0; i < kBoardCells; ++i) {
    board.cells[i] = static_cast<uint8_t>(i);
  }
  EXPECT_EQ(board_hash(board), 0x73be5111u);
}

TEST(TraceJsonTest, ExactLineForAGameState) {
  GameState state{};
  state.score = 1234;
  state.next_life_at = 2000;
  state.mode_timer = 269;
  state.pellets_left = 147;
  state.pellets_total = 297;
  state.bonus_count = 1;
  state.round = 4;
  state.lives = 255;
  state.fright_timer = 70;
  state.tick = 9;
  state.player = {{13, 23, 3, 13, 23}, 0x13};
  for (int i = 0; i < kChaserCount; ++i) {
    const uint8_t n = static_cast<uint8_t>(i);
    state.chasers[i] = {{static_cast<uint8_t>(11 + n), 14, n, 11, 13}, 25, 0, 1};
    state.house_timers[i] = static_cast<uint8_t>(15 * (i + 1));
  }
  state.house_timers[3] = 0x80;
  EXPECT_EQ(trace_json(state, 42),
            "{\"pause\":42,\"round\":4,\"score\":1234,\"next_life_at\":2000,\"lives\":255,"
            "\"fright\":70,\"mode\":269,\"tick\":9,\"pellets_left\":147,\"pellets_total\":297,"
            "\"bonus_count\":1,\"player\":[13,23,3,19],"
            "\"chasers\":[[11,14,0,25,0,1],[12,14,1,25,0,1],[13,14,2,25,0,1],[14,14,3,25,0,1]],"
            "\"house\":[15,30,45,128],\"board\":\"8bbd9c95\"}");
}

}  // namespace
