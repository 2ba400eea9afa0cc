// The player's steps, the chasers' targets, house timers and steering, and their meetings.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "actors/chaser_house.h"
#include "actors/chaser_steering.h"
#include "actors/contact.h"
#include "actors/player.h"
#include "actors/random.h"
#include "game/round_tick.h"
#include "maze/maze_compiler.h"

namespace {

TEST(StepPlayer, TurnsQueuedTurnsTunnelsAndEating) {
  // Layout 0 with a lone mouth of tunnel b at (26, 14), where tunnel a comes out.
  Board maze;
  compile_maze(maze, maze_layout(0));
  maze.cells[14 * kBoardWidth + 26] = 0x21;
  const struct {
    uint8_t x, y, dir, queued;
    std::vector<uint8_t> turns;  // one request a tick
    std::vector<int> after;      // what each step ate, then x, y, dir and the queued turn
  } cases[] = {
      // An open turn empties the queue; a wall ahead stops the player.
      {3, 1, kDirRight, 0x34, {kTurnLeft, 0, 0}, {1, 1, 0, 1, 1, kDirLeft, 0}},
      // A refused turn is tried at once and in the next three ticks, or replaced by a new one.
      {3, 5, kDirRight, 0, {kTurnDown, 0, 0, 0}, {1, 1, 1, 1, 6, 6, kDirDown, 0x20}},
      {2, 5, kDirRight, 0, {kTurnDown, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 7, 5, kDirRight, 0x20}},
      {3, 5, kDirRight, 0, {kTurnDown, kTurnUp}, {1, 1, 5, 5, kDirRight, 0x03}},
      // Through the tunnel onto the other mouth and back; restricted floor.
      {1, 14, kDirLeft, 0, {0, kTurnRight}, {255, 1, 1, 14, kDirRight, 0}},
      {12, 9, kDirDown, 0, {0}, {1, 12, 10, kDirDown, 0}}};
  for (const auto& c : cases) {
    Board board = maze;
    Player player{{c.x, c.y, c.dir, 0, 0}, c.queued};
    std::vector<int> after;
    for (const uint8_t turn : c.turns) {
      after.push_back(step_player(player, board, turn));
    }
    after.insert(after.end(), {player.x, player.y, player.dir, player.queued_turn});
    EXPECT_EQ(after, c.after) << "from " << int{c.x} << "," << int{c.y};
  }
}

TEST(UpdateTargets, ScatterCornersThenChaseTargetsByTheModeTimer) {
  // By the mode timer and chaser 3's cell, each chaser's target, the player at (10, 10) heading
  // up and chaser 0 at (15, 14): chaser 2's target wraps in a byte, chaser 3 keeps to its corner
  // closer than 8 cells. At 270 the timer restarts, no target set.
  const std::tuple<uint16_t, uint8_t, uint8_t, std::vector<int>> cases[] = {
      {69, 13, 15, {26, 0, 2, 0, 27, 31, 1, 31}},
      {70, 6, 6, {10, 10, 10, 6, 246, 244, 10, 10}},
      {269, 13, 14, {10, 10, 10, 6, 246, 244, 0, 31}},
      {270, 13, 15, {0, 0, 0, 0, 0, 0, 0, 0}}};
  for (const auto& [mode, x3, y3, expected] : cases) {
    GameState game{};
    game.mode_timer = mode;
    game.player = {{10, 10, kDirUp, 0, 0}, 0};
    game.chasers[0] = {{15, 14, kDirUp, 0, 0}, 0, 0, 0};
    game.chasers[3] = {{x3, y3, kDirUp, 0, 0}, 0, 0, 0};
    update_targets(game);
    std::vector<int> targets;
    for (const Chaser& chaser : game.chasers) {
      targets.insert(targets.end(), {chaser.target_x, chaser.target_y});
    }
    EXPECT_EQ(targets, expected) << "mode " << mode;
    EXPECT_EQ(game.mode_timer, mode % 270);
  }
}

TEST(UpdateHouse, HeldReleasedFreeAndReturning) {
  // Chaser 0's timer, flags and cell, then its timer, flags, target and cell after; home (5, 5),
  // target (7, 8). Held, it heads home ignoring arrows; released, it follows them; free, it is
  // left alone; returning, it is put home and held within three cells in both axes. Other flag
  // bits stay.
  const std::tuple<uint8_t, uint8_t, uint8_t, uint8_t, std::vector<int>> cases[] = {
      {11, 0xF1, 1, 1, {10, 0xF0, 5, 5, 1, 1}},  {10, 0xF0, 1, 1, {9, 0xF1, 7, 8, 1, 1}},
      {2, 0xF0, 1, 1, {1, 0xF1, 7, 8, 1, 1}},    {1, 0xF0, 1, 1, {0, 0xF0, 7, 8, 1, 1}},
      {0, 0xF1, 1, 1, {0, 0xF1, 7, 8, 1, 1}},    {128, 0xF1, 8, 2, {15, 0xF0, 5, 5, 5, 5}},
      {128, 0xF1, 2, 1, {128, 0xF0, 5, 5, 2, 1}}};
  for (const auto& [timer, flags, x, y, after] : cases) {
    GameState game{};
    Chaser& chaser = game.chasers[0] = {{x, y, kDirUp, 5, 5}, 7, 8, flags};
    game.house_timers[0] = timer;
    update_house(game);
    EXPECT_EQ(std::vector<int>({game.house_timers[0], chaser.flags, chaser.target_x,
                                chaser.target_y, chaser.x, chaser.y}),
              after);
  }
}

enum How : uint8_t { kArrows = 1, kFrightened = 2, kReturning = 4 };  // how a chaser is steered

TEST(StepChaser, OnLayout0DrawingThePseudoRandomSequenceOnlyWhenFrightenedAtAJunction) {
  Board board;
  compile_maze(board, maze_layout(0));
  random_state = {0, 0};
  const struct {
    uint8_t x, y, dir, target_x, target_y, how;
    std::vector<int> after;  // x, y, dir
  } cases[] = {
      // At (6, 5) the nearest open neighbour, never the one behind; ties go to up, left, down,
      // right. Towards (187, 186) left scores 182^2 + 181^2 = 65885, kept in 16 bits as 349.
      {6, 5, kDirLeft, 6, 5, 0, {6, 4, kDirUp}},
      {6, 5, kDirDown, 6, 5, 0, {5, 5, kDirLeft}},
      {6, 5, kDirRight, 7, 6, 0, {6, 6, kDirDown}},
      {6, 5, kDirDown, 187, 186, 0, {5, 5, kDirLeft}},
      // A far target lets the blocked score of a wall win, and the chaser turns from the wall.
      {9, 5, kDirRight, 248, 18, 0, {10, 5, kDirRight}},
      // Only a returning chaser turns onto restricted floor. Arrows lead into the door only for
      // a follower. Walled in, it turns round and stays.
      {12, 11, kDirLeft, 12, 0, 0, {11, 11, kDirLeft}},
      {12, 11, kDirLeft, 12, 0, kFrightened | kReturning, {12, 10, kDirUp}},
      {13, 13, kDirLeft, 13, 23, kArrows, {13, 12, kDirUp}},
      {13, 13, kDirUp, 13, 23, 0, {14, 13, kDirRight}},
      {100, 100, kDirUp, 13, 23, 0, {100, 100, kDirDown}},
      // Frightened at a junction it draws among the open ways up, right, down, left, the way
      // back included but not taken: 13 % 4 back, 1092 % 4 up, 25113 % 4 right, 20008 % 3 back.
      {6, 5, kDirLeft, 0, 0, kFrightened, {5, 5, kDirLeft}},
      {3, 1, kDirLeft, 0, 0, kFrightened, {2, 1, kDirLeft}},
      {6, 5, kDirLeft, 0, 0, kFrightened, {6, 4, kDirUp}},
      {6, 5, kDirDown, 0, 0, kFrightened, {7, 5, kDirRight}},
      {9, 5, kDirUp, 0, 0, kFrightened, {10, 5, kDirRight}}};
  for (const auto& c : cases) {
    Chaser chaser{{c.x, c.y, c.dir, 0, 0}, c.target_x, c.target_y, 0};
    set_follow_arrows(chaser, c.how & kArrows);
    step_chaser(chaser, board, (c.how & kFrightened) != 0, (c.how & kReturning) != 0);
    EXPECT_EQ(std::vector<int>({chaser.x, chaser.y, chaser.dir}), c.after) << "case " << &c - cases;
  }
  // Four were drawn. The sequence goes on to the tenth, the first the second word mixes into.
  EXPECT_EQ(std::vector<int>({next_random(), next_random(), next_random(), next_random(),
                              next_random(), next_random()}),
            std::vector<int>({22332, 23069, 16322, 30909, 10182, 12478}));
}

TEST(FindContact, SameCellOrJustPassedThroughEachOtherTheLowestChaserFirst) {
  // The player's and chaser 1's x, y and dir, then the contact. Chaser 1 returning and chaser 3
  // held at (20, 5) heading left count alike. Passing through each other leaves the player right
  // behind the chaser heading away; behind wraps as a byte.
  const std::tuple<std::array<uint8_t, 3>, std::array<uint8_t, 3>, uint8_t> cases[] = {
      {{20, 5, kDirRight}, {1, 20, kDirDown}, 3}, {{20, 5, kDirRight}, {20, 5, kDirUp}, 1},
      {{10, 5, kDirRight}, {9, 5, kDirLeft}, 1},  {{10, 5, kDirRight}, {9, 4, kDirLeft}, 255},
      {{10, 5, kDirRight}, {10, 4, kDirUp}, 255}, {{255, 5, kDirLeft}, {0, 5, kDirRight}, 1}};
  for (const auto& [player, chaser1, contact] : cases) {
    GameState game{};
    game.chasers[3] = {{20, 5, kDirLeft, 0, 0}, 0, 0, 0};
    game.house_timers[1] = kHouseReturning;
    game.house_timers[3] = 100;
    game.player = {{player[0], player[1], player[2], 0, 0}, 0};
    game.chasers[1] = {{chaser1[0], chaser1[1], chaser1[2], 0, 0}, 0, 0, 0};
    EXPECT_EQ(find_contact(game), contact) << int{player[0]} << "," << int{chaser1[0]};
  }
}

}  // namespace
