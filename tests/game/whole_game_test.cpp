// Whole games on the headless console host, from start-up to the way out, and their screens.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "console/console.h"
#include "game/flow.h"
#include "game/game_main.h"
#include "game/game_window.h"
#include "game/play_state.h"
#include "game/result_screens.h"
#include "tests/support/headless_session.h"
#include "tools/autoplay_planner.h"

namespace {

// A screen's row numbers and their texts.
using Rows = std::initializer_list<std::pair<int, const char*>>;
constexpr char kReturnPrompt[] = "Press [Space] to return to title, or [Q] to quit:";

// Rows top to bottom, columns left to right: every character there in the colour on black.
struct Area {
  int top, bottom, left, right, colour;
};
constexpr int kPromptColours = -1;  // keys in brackets magenta, the rest yellow

// The rows given with their texts, and the areas in their colours.
void expect_screen(const ScreenSnapshot& shot, Rows rows, const std::vector<Area>& areas) {
  for (const auto& [y, text] : rows) {
    EXPECT_EQ(shot.row(y), text) << "row " << y;
  }
  for (const Area& a : areas) {
    for (int y = a.top; y <= a.bottom; ++y) {
      for (int x = a.left, key = 0; x <= a.right; ++x) {
        const char32_t ch = shot.cell(x, y).ch;
        const bool in_key = key || ch == '[';
        key = in_key && ch != ']';
        const int colour = a.colour == kPromptColours ? (in_key ? kMagenta : kYellow) : a.colour;
        EXPECT_TRUE(ch == ' ' || (shot.cell(x, y).attr & 0xFF) == colour)
            << "row " << y << " column " << x;
      }
    }
  }
}

// What the game changes in the console and must hand back.
auto console_state(const ConsoleHost& host = console_host()) {
  return std::make_tuple(host.width(), host.height(), host.window_left(), host.window_top(),
                         host.window_right(), host.window_bottom(), host.cursor_size(),
                         host.cursor_visible(), host.font_width(), host.font_height(),
                         host.font_family(), host.attribute(), host.input_mode(), host.quick_edit(),
                         host.output_mode(), host.code_page());
}

// The console as the game's control handler left it: this handler, registered first, runs after.
decltype(console_state()) g_console_at_event;
BOOL WINAPI note_console(DWORD /*event*/) {
  g_console_at_event = console_state();
  return FALSE;
}

// Games on a console as a user has it, keeping the state at every pause.
class WholeGameTest : public HeadlessSession {
 protected:
  void SetUp() override {
    HeadlessSession::SetUp();
    host().set_cursor_info(50, true);
    host().set_text_attribute(0x1E);
    host().set_output_mode(ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT);
    states.clear();
  }
  int play(const std::string& script) {
    start(script);
    return game_main(0, nullptr);
  }
  void paused(ConsoleHost& host, uint64_t pauses) override {
    states.push_back(game_state);
    if (pauses == event.first) {
      process_went_on = host.raise_control_event(event.second);
    }
  }
  const GameState& at(size_t pause) const { return states[pause - 1]; }
  // The pause (counted from 1) at which the test first holds; one past the last if it never does.
  size_t first(bool (*test)(const GameState&)) const {
    return std::find_if(states.begin(), states.end(), test) - states.begin() + 1;
  }

  std::vector<GameState> states;
  std::pair<uint64_t, DWORD> event{0, 0};  // the pause that raises it, and the event
  bool process_went_on = false;
};

TEST_F(WholeGameTest, GamesWithoutKeysShowTheTitleTheGameOverAndThePauseThatChangesNothing) {
  // The second game is paused well inside it, and quit from the pause.
  EXPECT_EQ(play("1 x\n1 y\n1 s\n99999 \\s\n99999 S\n150 \\e\n99999 x\n99999 q\n"), 0);
  ASSERT_EQ(waits().size(), 7u);  // title, invalid key, title, game over, title, pause, pause
  // The title: its mouth and three dots, the name's top row, the line about the game, the prompt.
  expect_screen(
      waits()[0],
      {{9, "██████████████▀         ▐████▌    ▐████▌    ▐████▌"},
       {20, "   __  __                          _      _"},
       {26, " The definitive text-based version of the popular game"},
       {29, "Press [S] to begin, and [Q] to quit:"}},
      {Area{0, 19, 0, 23, kYellow}, Area{0, 7, 24, 54, kYellow}, Area{8, 11, 24, 54, kWhite},
       Area{12, 19, 24, 54, kYellow}, Area{20, 24, 0, 54, kGreen}, Area{26, 26, 0, 54, kCyan},
       Area{28, 29, 0, 54, kPromptColours}});
  EXPECT_EQ(waits()[1].row(29), "Invalid selection, press any key to try again!");
  EXPECT_EQ(waits()[2].rows(), waits()[0].rows());
  EXPECT_EQ(waits()[3].row(15), kReturnPrompt);
  EXPECT_TRUE(waits()[3].cursor_visible());
  // The game ends in the tick that takes the last life; S starts the next one afresh.
  const size_t next = first([](const GameState& s) { return s.lives == 0; }) + 1;
  ASSERT_LT(next, states.size());
  EXPECT_EQ(std::tie(at(next).lives, at(next).score, at(next).round, at(next).next_life_at),
            std::make_tuple(3, at(1).score, 0, 1000));
  const std::string pause_line = std::string(kFrameColumn, ' ') + "PAUSED [Esc] resume [Q] quit";
  EXPECT_EQ(waits()[5].row(32), pause_line);
  expect_screen(waits()[5], {}, {Area{32, 32, kFrameColumn, 54, kPromptColours}});
  EXPECT_EQ(waits()[6].row(32), pause_line);
  EXPECT_EQ(pauses(), 151u);  // none pass while paused

  // The first game again, paused and resumed, with keys that give no character and a pause
  // asked for in the tick that ends it, which is dropped: the game is the same.
  const std::vector<GameState> unpaused(states.begin(), states.begin() + (next - 1));
  SetUp();
  play("0 s\n20 \\k\\k\n30 \\e\n32 \\e\\kx\n" + std::to_string(next - 2) + " \\e\n99999 q\n");
  ASSERT_EQ(states.size(), unpaused.size());
  EXPECT_EQ(std::memcmp(states.data(), unpaused.data(), states.size() * sizeof(GameState)), 0);
  ASSERT_EQ(waits().size(), 2u);
  EXPECT_EQ(waits()[0].row(32) + "|" + waits()[1].row(15), pause_line + "|" + kReturnPrompt);
}

// The game runs in 55 x 33 without wrapping, in a font widened when narrow, with code page 437,
// no virtual-terminal processing and no Quick Edit, and puts the console back on every way out,
// on every console; without a console, or with input or output redirected, it ends at once with
// status 1 and leaves it alone.
TEST_F(WholeGameTest, EveryWayOutPutsTheConsoleBack) {
  // Script, event pause and event, the console, its size and font, and the font the game uses.
  const std::tuple<const char*, uint64_t, DWORD, const char*, int, int, int, int, unsigned, int,
                   int>
      runs[] = {{"1 Q\n", 0, 0, "model", 80, 25, 11, 16, 0x30, 12, 16},
                {"", 0, 0, "conhost", 120, 40, 11, 16, TMPF_TRUETYPE, 11, 18},
                {"1 \\x03\n", 0, 0, "terminal", 80, 25, 8, 12, TMPF_VECTOR, 11, 18},
                {"1 s\n5 \\x03\n", 0, 0, "cp850", 80, 25, 12, 16, 0x30, 12, 16},
                {"1 s\n", 5, CTRL_BREAK_EVENT, "cp65001", 80, 25, 12, 20, TMPF_TRUETYPE, 12, 20},
                {"1 s\n", 5, CTRL_CLOSE_EVENT, "terminal", 80, 25, 8, 16, 0x30, 12, 16}};
  for (const auto& [script, event_pause, raised, console, width, height, font_width, font_height,
                    family, game_font_width, game_font_height] : runs) {
    SCOPED_TRACE(std::string(console) + ": " + script);
    SetUp();
    host().reset(width, height, *find_console_profile(console));
    host().set_font(font_width, font_height, family);
    const auto found = console_state();
    g_console_at_event = {};
    ASSERT_TRUE(SetConsoleCtrlHandler(note_console, TRUE));
    event = {event_pause, raised};
    EXPECT_EQ(play(script), 0);
    ASSERT_FALSE(waits().empty());
    const ScreenSnapshot& t = waits()[0];  // the title
    EXPECT_EQ(std::make_tuple(t.width(), t.height(), t.window_left(), t.window_top(),
                              t.window_right(), t.window_bottom(), t.output_mode(), t.quick_edit(),
                              t.code_page(), t.font_width(), t.font_height(), t.title()),
              std::make_tuple(kWindowColumns, kWindowRows, 0, 0, kWindowColumns - 1,
                              kWindowRows - 1, uint32_t{ENABLE_PROCESSED_OUTPUT}, false, 437u,
                              game_font_width, game_font_height, std::string("Mazewick 1.0")));
    EXPECT_EQ(console_state(), found);
    const bool event_raised = event_pause != 0 || std::strstr(script, "x03") != nullptr;
    EXPECT_EQ(event_raised ? g_console_at_event : found, found) << "at the event";
    EXPECT_FALSE(process_went_on);
  }
  for (const auto& [available, input, output] :
       {std::tuple{false, false, false}, {true, true, false}, {true, false, true}}) {
    SetUp();
    host().set_available(available);
    host().redirect(input, output);
    const auto found = console_state();
    EXPECT_EQ(play("1 q\n"), 1);
    EXPECT_EQ(console_state(), found);
    EXPECT_EQ(host().title(), "");
  }
}

// A planned game into the second maze: power pellets, chasers and bonus items eaten.
TEST_F(WholeGameTest, APlannedGameEatsPowerChasersAndBonusItemsAndReachesTheSecondMaze) {
  EXPECT_EQ(play(plan_game_script(3000, 4000)), 0);
  const size_t powered = first([](const GameState& s) { return s.fright_timer != 0; });
  const size_t second = first([](const GameState& s) { return s.round == 1; });
  ASSERT_TRUE(powered < states.size() && second < states.size());
  // The fright time counts down while the mode timer stands.
  EXPECT_EQ(std::tie(at(powered).score, at(powered).fright_timer, at(powered + 1).fright_timer,
                     at(powered + 1).mode_timer),
            std::make_tuple(at(powered - 1).score + 5, 70, 69, at(powered).mode_timer));

  // Frightened chasers move only in ticks with an odd fright time, returning ones in every tick.
  int steps_home = 0;
  for (size_t p = 2; p <= states.size(); ++p) {
    for (int i = 0; i < kChaserCount && at(p).fright_timer % 2 == 0 && at(p).fright_timer; ++i) {
      const bool moved = std::memcmp(&at(p).chasers[i], &at(p - 1).chasers[i], 2) != 0;  // x, y
      const bool returning = at(p - 1).house_timers[i] == kHouseReturning;
      const bool going_on = returning && at(p).house_timers[i] == kHouseReturning;  // not home
      steps_home += going_on;
      EXPECT_TRUE(going_on ? moved : returning || !moved) << "pause " << p << " chaser " << i;
    }
  }
  EXPECT_GT(steps_home, 0);

  // Bonus items come in the tick after the pellets drop below half, and an eighth; no third.
  EXPECT_EQ(first([](const GameState& s) { return s.pellets_left < 148; }) + 1,
            first([](const GameState& s) { return s.bonus_count == 1; }));
  EXPECT_EQ(first([](const GameState& s) { return s.pellets_left < 37; }) + 1,
            first([](const GameState& s) { return s.bonus_count == 2; }));
  EXPECT_EQ(std::tie(at(second - 1).bonus_count, at(second - 1).pellets_left,
                     at(second).pellets_total, at(second).lives),
            std::make_tuple(2, 0, 225, at(second - 1).lives));
}

TEST_F(WholeGameTest, ResultScreensShowTheirCountsInLargeDigitsAndTakeSpaceOrQ) {
  HeadlessSession::SetUp();  // a console in the game's colours
  start_game_window("1 \\s\n1 Q\n1 q\n");
  con_set_fg(kCyan);  // the round's number is drawn in the colour the last frame left
  std::tie(game_state.score, game_state.round, game_state.lives) = std::tuple(1234, 88, 7);
  EXPECT_EQ(show_round_complete(game_state), kFlowPlay);
  std::tie(game_state.score, game_state.round) = std::tuple(99999999, 55);
  EXPECT_EQ(show_game_over(game_state), kFlowQuit);
  EXPECT_EQ(screen().row(15), std::string(kReturnPrompt) + " Q");  // the key is echoed in cyan
  EXPECT_EQ(screen().fg(50, 15), kCyan);
  // 199,999,900 points fill the window with their label; q quits too, and so does the end of input.
  game_state.score = 19999990;
  EXPECT_EQ(show_round_complete(game_state), kFlowQuit);
  EXPECT_EQ(show_game_over(game_state), kFlowQuit);
  ASSERT_EQ(waits().size(), 4u);
  // Round 89 complete with 12,340 points and 7 lives: the round's top row beside the banner's, the
  // score in every row of its digits, the lives' top row, the prompt.
  expect_screen(
      waits()[0],
      {{0, "  ____                       _   ___  ___"},
       {10, "                     _  ___  ____ _ _    __   ___ _"},
       {11, "                    / ||_  )|__ /| | |  /  \\ | _ \\ |_"},
       {12, "                    | | / /  |_ \\|_  _|| () ||  _/  _|"},
       {13, "                    |_|/___||___/  |_|  \\__/ |_|  \\__()"},
       {14, "                              ____  _    _"},
       {19, "Press [Space] to continue, or [Q] to quit:"}},
      {Area{0, 3, 0, 31, kGreen}, Area{0, 3, 32, 54, kCyan}, Area{4, 9, 0, 54, kGreen},
       Area{10, 13, 0, 44, kCyan}, Area{10, 17, 45, 54, kYellow}, Area{14, 17, 0, 34, kCyan},
       Area{14, 17, 35, 44, kYellow}, Area{19, 19, 0, 54, kPromptColours}});
  // The game over in round 56, the score too wide for large digits: one line, and the rounds' top
  // row where it stands after large digits.
  expect_screen(waits()[1],
                {{0, "   ____                         ___"},
                 {6, "Score: 999999990Pt."},
                 {10, "                  ___   __   ___                  _"},
                 {15, kReturnPrompt}},
                {Area{0, 4, 0, 54, kRed}, Area{6, 6, 0, 6, kYellow}, Area{6, 6, 7, 15, kCyan},
                 Area{6, 6, 16, 18, kYellow}, Area{10, 13, 0, 27, kCyan},
                 Area{10, 13, 28, 54, kYellow}, Area{15, 15, 0, 54, kPromptColours}});
  EXPECT_EQ(waits()[2].row(10), " _  ___  ___  ___  ___  ___  ___   __    __   ___ _");
}

}  // namespace
