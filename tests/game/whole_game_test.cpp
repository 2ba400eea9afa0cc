// Whole games on the headless console host, from the title screen to the way out, with keys
// from input scripts as the headless runner takes them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "autoplay_planner.h"
#include "game/game_main.h"
#include "headless_session.h"

namespace {

constexpr int kFrameColumn = 13;
constexpr int kEscapedChaserGlyph = 0xEC;  // the infinity sign of a chaser returning home

// What the game state was at each pause, and the screen at the pauses a test asks for.
class WholeGameTest : public HeadlessSession {
 protected:
  int play(const std::string& script) {
    start(script);
    return game_main(0, nullptr);
  }

  void paused(ConsoleHost& host, uint64_t /*pauses*/) override {
    states.push_back(game_state);
    frames.push_back(keep_frame && keep_frame(game_state) ? take_snapshot(host) : ScreenSnapshot{});
  }

  // The first pause (counted from 1) at which the test holds, 0 when there is none.
  template <typename Test>
  size_t first_pause(Test test, size_t from = 1) const {
    for (size_t pause = from; pause <= states.size(); ++pause) {
      if (test(states[pause - 1])) {
        return pause;
      }
    }
    return 0;
  }

  const GameState& at(size_t pause) const { return states[pause - 1]; }

  std::vector<GameState> states;
  std::vector<ScreenSnapshot> frames;
  bool (*keep_frame)(const GameState&) = nullptr;
};

// The same game with a line of keys added where it belongs among the lines of its pause count.
std::string with_line(const std::string& script, long pauses, const std::string& keys,
                      bool before_others = false) {
  std::string result;
  bool added = false;
  size_t begin = 0;
  while (begin < script.size()) {
    const size_t end = script.find('\n', begin) + 1;
    const std::string line = script.substr(begin, end - begin);
    const long line_pauses = std::stol(line);
    if (!added && (line_pauses > pauses || (before_others && line_pauses == pauses))) {
      result += std::to_string(pauses) + " " + keys + "\n";
      added = true;
    }
    result += line;
    begin = end;
  }
  return result;
}

bool same_game(const GameState& a, const GameState& b) {
  return std::memcmp(&a, &b, sizeof(GameState)) == 0;
}

TEST_F(WholeGameTest, WithoutKeysThreeLivesAreLostAndTheGameIsOver) {
  EXPECT_EQ(play("0 s\n99999 \\s\n99999 q\n"), 0);
  ASSERT_FALSE(states.empty());
  EXPECT_EQ(states.back().lives, 0);
  // The lives go one at a time, and the last tick is the one that takes the last.
  int lives = 3;
  for (const GameState& state : states) {
    EXPECT_TRUE(state.lives == lives || state.lives == lives - 1);
    lives = state.lives;
  }
  EXPECT_EQ(at(states.size() - 1).lives, 1);

  ASSERT_EQ(waits().size(), 2u);
  EXPECT_EQ(waits()[0].row(1), "  / ___| __ _ _ __ ___   ___   / _ \\__   _____ _ __");
  // The last rows of the points label and of the rounds label fill the window: each still takes
  // one row, and the count stands beside its label.
  const char* const score_and_round[] = {
      R"(                                  \___/ \__/ |_|  \__())",
      R"(                         _   ___                  _)",
      R"(                        / | | _ \___ _  _ _ _  __| |___)",
      R"(                        | | |   / _ \ || | ' \/ _` (_-<)",
      R"(                        |_| |_|_\___/\_,_|_||_\__,_/__/)",
  };
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(waits()[0].row(9 + k), score_and_round[k]) << "row " << 9 + k;
  }
  EXPECT_EQ(waits()[0].row(15), "Press [Space] to return to title, or [Q] to quit:");
  EXPECT_TRUE(waits()[0].cursor_visible);
  EXPECT_EQ(waits()[1].row(26), " The definitive text-based version of the popular game");
}

bool any_returning(const GameState& state) {
  for (uint8_t timer : state.house_timers) {
    if ((timer & kHouseReturning) != 0) {
      return true;
    }
  }
  return false;
}

// A planned game of two rounds and more: a power pellet and then a chaser eaten, the chaser going
// home as the infinity sign, the bonus item placed, an extra life at 10,000 points, the second
// maze after the round-complete screen.
TEST_F(WholeGameTest, APlannedGameEatsPowerChaserAndBonusGainsALifeAndReachesTheSecondMaze) {
  keep_frame = [](const GameState& state) {
    return any_returning(state) || (state.bonus_count == 1 && state.round == 0);
  };
  EXPECT_EQ(play(plan_game_script(3000, 4000)), 0);

  const size_t powered = first_pause([](const GameState& s) { return s.fright_timer != 0; });
  ASSERT_NE(powered, 0u);
  EXPECT_EQ(at(powered).score, at(powered - 1).score + 5);
  EXPECT_EQ(at(powered).fright_timer, 70);
  const size_t eaten = first_pause(any_returning, powered);
  ASSERT_NE(eaten, 0u);
  EXPECT_NE(at(eaten).fright_timer, 0);
  const uint32_t gained = at(eaten).score - at(eaten - 1).score;
  EXPECT_TRUE(gained == 40 || gained == 41) << gained;  // the chaser, and maybe a pellet
  int chaser = 0;
  while ((at(eaten).house_timers[chaser] & kHouseReturning) == 0) {
    ++chaser;
  }
  const Chaser& returning = at(eaten).chasers[chaser];
  const ScreenSnapshot& frame = frames[eaten - 1];
  if (returning.x != at(eaten).player.x || returning.y != at(eaten).player.y) {
    EXPECT_EQ(frame.cell(kFrameColumn + returning.x, 1 + returning.y).ch, kEscapedChaserGlyph);
    EXPECT_EQ(frame.fg(kFrameColumn + returning.x, 1 + returning.y), 3);
  }
  // It travels home at full speed, is put on its home cell and moves on from it as a held
  // chaser in the same tick.
  size_t arrival = eaten + 1;
  while (arrival <= states.size() && at(arrival).house_timers[chaser] == kHouseReturning) {
    ++arrival;
  }
  ASSERT_LE(arrival, states.size());
  EXPECT_EQ(at(arrival).house_timers[chaser], 15);
  const Chaser& arrived = at(arrival).chasers[chaser];
  EXPECT_LE(std::abs(arrived.x - arrived.home_x) + std::abs(arrived.y - arrived.home_y), 1);

  // The bonus item is placed at the start of the tick after the first that ended with fewer than
  // 148 of 297 pellets left.
  const size_t placed = first_pause([](const GameState& s) { return s.bonus_count == 1; });
  ASSERT_GT(placed, 1u);
  EXPECT_EQ(first_pause([](const GameState& s) { return s.pellets_left < 148; }), placed - 1);
  const GameState& state = at(placed);
  if (state.player.x != 13 || state.player.y != 23) {
    EXPECT_EQ(state.board.cells[23 * kBoardWidth + 13], 0x43);
    EXPECT_EQ(frames[placed - 1].cell(kFrameColumn + 13, 1 + 23).ch, 14);  // round 1's item
    EXPECT_EQ(frames[placed - 1].fg(kFrameColumn + 13, 1 + 23), (state.tick & 3) < 2 ? 4 : 12);
  }

  const size_t passed = first_pause([](const GameState& s) { return s.score > 1000; });
  ASSERT_NE(passed, 0u);
  EXPECT_EQ(at(passed - 1).next_life_at, 1000u);
  EXPECT_EQ(at(passed).next_life_at, 2000u);
  EXPECT_EQ(at(passed).lives, at(passed - 1).lives + 1);

  const size_t second = first_pause([](const GameState& s) { return s.round == 1; });
  ASSERT_NE(second, 0u);
  EXPECT_EQ(at(second - 1).pellets_left, 0);
  EXPECT_EQ(at(second).pellets_total, 225);  // the second maze
}

class PauseTest : public WholeGameTest {
 protected:
  void SetUp() override {
    WholeGameTest::SetUp();
    game = plan_game_script(0xFFFFFFFF, 200);
  }
  // The game played again with the keys of `changed` leaves the game state unchanged at every
  // pause.
  void expect_same_game(const std::string& changed) {
    play(game);
    const std::vector<GameState> plain = states;
    SetUp();
    states.clear();
    play(changed);
    ASSERT_EQ(states.size(), plain.size());
    for (size_t pause = 1; pause <= states.size(); ++pause) {
      ASSERT_TRUE(same_game(at(pause), plain[pause - 1])) << "pause " << pause;
    }
  }
  std::string game;
};

TEST_F(PauseTest, EscPausesAndEscResumesWithTheGameUnchanged) {
  expect_same_game(with_line(with_line(game, 100, "\\e"), 101, "\\e", true));
}

TEST_F(PauseTest, KeysWithoutACharacterNeverStopATick) {
  expect_same_game(with_line(with_line(game, 50, "\\k\\k"), 120, "\\kx\\k"));
  EXPECT_TRUE(waits().empty());
}

TEST_F(PauseTest, PauseLineReplacesTheLivesLineAndNoPausesPassWhileItWaits) {
  play("0 s\n5 \\e\n");
  ASSERT_EQ(waits().size(), 1u);
  expect_row(waits()[0], 32,
             {{"PAUSED ", kYellow},
              {"[Esc]", kMagenta},
              {" resume ", kYellow},
              {"[Q]", kMagenta},
              {" quit", kYellow}},
             kFrameColumn);
  EXPECT_EQ(pauses(), 6u);
}

TEST_F(PauseTest, QQuitsFromThePauseAndSoDoesTheEndOfInput) {
  for (const char* keys : {"99999 x\n99999 q\n", "99999 x\n99999 Q\n", ""}) {
    SetUp();
    EXPECT_EQ(play(std::string("0 s\n5 \\e\n") + keys), 0);
    EXPECT_EQ(pauses(), 6u);
    EXPECT_EQ(host().width(), 80);  // the console is put back
  }
}

TEST_F(PauseTest, PauseAskedForInTheTickThatEndsTheGameIsDropped) {
  play("0 s\n99999 q\n");
  const size_t last_tick = states.size();

  SetUp();
  states.clear();
  play("0 s\n" + std::to_string(last_tick - 1) + " \\e\n99999 q\n");
  EXPECT_EQ(states.size(), last_tick);
  ASSERT_EQ(waits().size(), 1u);
  EXPECT_EQ(waits()[0].row(15), "Press [Space] to return to title, or [Q] to quit:");
}

}  // namespace
