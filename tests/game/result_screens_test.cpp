// The round-complete and game-over screens and the large digits, on the headless console host.
#include "game/result_screens.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "console/console.h"
#include "game/big_number.h"
#include "game/flow.h"
#include "headless_session.h"

namespace {

// The large digits, row by row.
const char* const kFont[10][4] = {
    {"  __  ", " /  \\ ", "| () |", " \\__/ "}, {" _ ", "/ |", "| |", "|_|"},
    {" ___ ", "|_  )", " / / ", "/___|"},       {" ____", "|__ /", " |_ \\", "|___/"},
    {" _ _  ", "| | | ", "|_  _|", "  |_| "},   {" ___ ", "| __|", "|__\\ ", "|___/"},
    {"  __ ", " / / ", "/ _ \\", "\\___/"},     {" ____ ", "|__  |", "  / / ", " /_/  "},
    {" ___ ", "( _ )", "/ _ \\", "\\___/"},     {" ___ ", "/ _ \\", "\\_, /", " /_/ "},
};

// 12,340 points and 3 lives after the first round.
const char* const kRoundCompleteScreen[] = {
    R"(  ____                       _   _)",
    R"( |  _ \ ___  _   _ _ __   __| | / |)",
    R"( | |_) / _ \| | | | '_ \ / _` | | |)",
    R"( |  _ < (_) | |_| | | | | (_| | |_|)",
    R"( |_| \_\___/_\__,_|_| |_|\__,_|     _      _)",
    R"(         / ___|___  _ __ ___  _ __ | | ___| |_ ___)",
    R"(        | |   / _ \| '_ ` _ \| '_ \| |/ _ \ __/ _ \)",
    R"(        | |__| (_) | | | | | | |_) | |  __/ ||  __/)",
    R"(         \____\___/|_| |_| |_| .__/|_|\___|\__\___|)",
    R"(                             |_|)",
    R"(                     _  ___  ____ _ _    __   ___ _)",
    R"(                    / ||_  )|__ /| | |  /  \ | _ \ |_)",
    R"(                    | | / /  |_ \|_  _|| () ||  _/  _|)",
    R"(                    |_|/___||___/  |_|  \__/ |_|  \__())",
    R"(                               ____ _    _)",
    R"(                              |__ /| |  (_)_ _____ ___)",
    R"(                               |_ \| |__| \ V / -_|_-<)",
    R"(                              |___/|____|_|\_/\___/__/)",
    R"()",
    R"(Press [Space] to continue, or [Q] to quit:)",
};

// No points, the game ended in round 67.
const char* const kGameOverScreen[] = {
    R"(   ____                         ___)",
    R"(  / ___| __ _ _ __ ___   ___   / _ \__   _____ _ __)",
    R"( | |  _ / _` | '_ ` _ \ / _ \ | | | \ \ / / _ \ '__|)",
    R"( | |_| | (_| | | | | | |  __/ | |_| |\ V /  __/ |)",
    R"(  \____|\__,_|_| |_| |_|\___|  \___/  \_/ \___|_|)",
    R"()",
    R"(                                         __   ___ _)",
    R"(                                        /  \ | _ \ |_)",
    R"(                                       | () ||  _/  _|)",
    R"(                                        \__/ |_|  \__())",
    R"(                  __  ____   ___                  _)",
    R"(                 / / |__  | | _ \___ _  _ _ _  __| |___)",
    R"(                / _ \  / /  |   / _ \ || | ' \/ _` (_-<)",
    R"(                \___/ /_/   |_|_\___/\_,_|_||_\__,_/__/)",
    R"()",
    R"(Press [Space] to return to title, or [Q] to quit:)",
};

const std::vector<Piece> kContinuePrompt = {{"Press ", kYellow},
                                            {"[Space]", kMagenta},
                                            {" to continue, or ", kYellow},
                                            {"[Q]", kMagenta},
                                            {" to quit: ", kYellow}};
const std::vector<Piece> kReturnPrompt = {{"Press ", kYellow},
                                          {"[Space]", kMagenta},
                                          {" to return to title, or ", kYellow},
                                          {"[Q]", kMagenta},
                                          {" to quit: ", kYellow}};

std::string text_at(const ScreenSnapshot& shot, int x, int y, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += static_cast<char>(shot.cell(x + i, y).ch);
  }
  return text;
}

// The value in large digits from (x, y), every character of it in the colour.
void expect_big_number(const ScreenSnapshot& shot, int x, int y, uint32_t value, int colour) {
  for (int k = 0; k < 4; ++k) {
    std::string row;
    for (const char digit : std::to_string(value)) {
      row += kFont[digit - '0'][k];
    }
    EXPECT_EQ(text_at(shot, x, y + k, static_cast<int>(row.size())), row)
        << value << " row " << y + k;
    for (size_t i = 0; i < row.size(); ++i) {
      if (row[i] != ' ') {
        EXPECT_EQ(shot.fg(x + static_cast<int>(i), y + k), colour) << value << " row " << y + k;
      }
    }
  }
}

// Every non-blank cell of the rows, within the columns, in the colour.
void expect_colour(const ScreenSnapshot& shot, int top, int bottom, int left, int right,
                   int colour) {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      if (shot.cell(x, y).ch != ' ') {
        EXPECT_EQ(shot.fg(x, y), colour) << "row " << y << " column " << x;
      }
    }
  }
}

class ResultScreenTest : public HeadlessSession {
 protected:
  void SetUp() override {
    HeadlessSession::SetUp();
    game_state.score = 1234;
    game_state.next_life_at = 2000;
    game_state.lives = 3;
    game_state.round = 0;
  }
  // Both screens, each answered with Q; the screens as their prompts first waited.
  void show_both() {
    start_game_window("1 q\n1 q\n");
    show_round_complete(game_state);
    show_game_over(game_state);
    ASSERT_EQ(waits().size(), 2u);
  }
  const ScreenSnapshot& complete() const { return waits()[0]; }
  const ScreenSnapshot& over() const { return waits()[1]; }
};

TEST(SplitDigitsTest, LeastSignificantFirstWithTheRestCleared) {
  uint8_t digits[20];
  std::memset(digits, 0xAA, sizeof digits);
  EXPECT_EQ(split_digits(digits, 4294967295u), 10);
  const uint8_t expected[20] = {5, 9, 2, 7, 6, 9, 4, 9, 2, 4};
  EXPECT_EQ(std::memcmp(digits, expected, sizeof digits), 0);
  EXPECT_EQ(split_digits(digits, 1000), 4);
  EXPECT_EQ(digits[3], 1);
  EXPECT_EQ(digits[4], 0);
  // 0 has the one digit 0.
  std::memset(digits, 0xAA, sizeof digits);
  EXPECT_EQ(split_digits(digits, 0), 1);
  const uint8_t zeros[20] = {};
  EXPECT_EQ(std::memcmp(digits, zeros, sizeof digits), 0);
}

using BigNumberTest = ResultScreenTest;

TEST_F(BigNumberTest, EveryDigitIsDrawnSideBySideInTheColourInEffect) {
  start_game_window("");
  con_set_fg(kMagenta);
  EXPECT_EQ(draw_big_number(2, 3, 1234567890), 51);
  const ScreenSnapshot shot = screen();
  expect_big_number(shot, 2, 3, 1234567890, kMagenta);
  EXPECT_EQ(shot.row(2), "");
  EXPECT_EQ(shot.row(7), "");
  EXPECT_EQ(shot.cursor_x, 53);
  EXPECT_EQ(shot.cursor_y, 6);
}

TEST_F(BigNumberTest, MeasuringGivesTheSumOfTheDigitWidthsAndWritesNothing) {
  start_game_window("");
  con_set_cursor_pos(7, 9);
  const ScreenSnapshot before = screen();
  const struct {
    uint32_t value;
    int width;
  } cases[] = {{0, 6},          {1, 3},          {67, 11},         {88, 10},
               {255, 15},       {256, 15},       {12340, 25},      {99999990, 41},
               {199999900, 45}, {999999990, 46}, {4294967295u, 53}};
  for (const auto& c : cases) {
    EXPECT_EQ(draw_big_number(kMeasureOnly, kMeasureOnly, c.value), c.width) << c.value;
  }
  EXPECT_EQ(draw_big_number(kMeasureOnly, 5, 88), 10);
  EXPECT_EQ(draw_big_number(5, kMeasureOnly, 88), 10);
  const ScreenSnapshot after = screen();
  EXPECT_EQ(after.cursor_x, 7);
  EXPECT_EQ(after.cursor_y, 9);
  for (int y = 0; y < after.height; ++y) {
    EXPECT_EQ(after.row(y), before.row(y)) << "row " << y;
  }
}

TEST_F(ResultScreenTest, RoundCompleteShowsTheRoundScoreAndLives) {
  start_game_window("1 \\s\n");
  con_set_fg(kCyan);
  EXPECT_EQ(show_round_complete(game_state), kFlowPlay);
  const ScreenSnapshot& shot = waits().front();
  for (int y = 0; y < shot.height; ++y) {
    EXPECT_EQ(shot.row(y), y < 20 ? kRoundCompleteScreen[y] : "") << "row " << y;
  }
  expect_colour(shot, 0, 3, 0, 30, kGreen);
  expect_big_number(shot, 32, 0, 1, kCyan);
  expect_colour(shot, 4, 9, 0, 54, kGreen);
  expect_big_number(shot, 20, 10, 12340, kCyan);
  expect_colour(shot, 10, 13, 45, 54, kYellow);
  expect_big_number(shot, 30, 14, 3, kCyan);
  expect_colour(shot, 14, 17, 35, 54, kYellow);
  expect_row(shot, 19, kContinuePrompt);
  EXPECT_EQ(shot.cursor_x, 43);
  EXPECT_EQ(shot.cursor_y, 19);
}

TEST_F(ResultScreenTest, GameOverShowsTheScoreAndTheRound) {
  game_state.score = 0;
  game_state.round = 66;
  start_game_window("1 \\s\n");
  EXPECT_EQ(show_game_over(game_state), kFlowTitle);
  const ScreenSnapshot& shot = waits().front();
  for (int y = 0; y < shot.height; ++y) {
    EXPECT_EQ(shot.row(y), y < 16 ? kGameOverScreen[y] : "") << "row " << y;
  }
  expect_colour(shot, 0, 4, 0, 54, kRed);
  expect_big_number(shot, 39, 6, 0, kCyan);
  expect_colour(shot, 6, 9, 45, 54, kYellow);
  expect_big_number(shot, 16, 10, 67, kCyan);
  expect_colour(shot, 10, 13, 28, 54, kYellow);
  expect_row(shot, 15, kReturnPrompt);
  EXPECT_EQ(shot.cursor_x, 50);
  EXPECT_EQ(shot.cursor_y, 15);
}

TEST_F(ResultScreenTest, CountsEndBeforeTheirLabels) {
  const struct {
    uint8_t lives;
    int lives_column;
    uint8_t round;
    int round_column;
  } cases[] = {{1, 32, 255, 12}, {3, 30, 0, 24}, {255, 20, 66, 16}, {0, 29, 9, 18}};
  for (const auto& c : cases) {
    SetUp();
    game_state.lives = c.lives;
    game_state.round = c.round;
    show_both();
    expect_big_number(complete(), c.lives_column, 14, c.lives, kCyan);
    expect_big_number(over(), c.round_column, 10, c.round + 1u, kCyan);
    // The round just finished, in the colour left in effect (after a frame cyan, here grey):
    // round index 255 shows 256.
    expect_big_number(complete(), 32, 0, c.round + 1u, 7);
  }
}

TEST_F(ResultScreenTest, ScoreStandsInLargeDigitsBeforeThePointsLabel) {
  const struct {
    uint32_t score;
    int column;
  } cases[] = {{0, 39}, {1234, 20}, {9999999, 4}, {19999990, 0}};
  // 199,999,900 points are exactly 45 columns wide: with the label they fill the window.
  for (const auto& c : cases) {
    SetUp();
    game_state.score = c.score;
    show_both();
    expect_big_number(complete(), c.column, 10, c.score * 10, kCyan);
    expect_big_number(over(), c.column, 6, c.score * 10, kCyan);
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(complete().row(10 + k).substr(45), std::string(kGameOverScreen[6 + k]).substr(45));
      EXPECT_EQ(over().row(6 + k).substr(45), std::string(kGameOverScreen[6 + k]).substr(45));
    }
  }
}

TEST_F(ResultScreenTest, ScoreTooWideForLargeDigitsIsOnePlainLine) {
  for (const uint32_t score : {99999999u, 429496729u}) {
    SetUp();
    game_state.round = 66;
    game_state.score = score;
    show_both();
    const std::vector<Piece> line = {
        {"Score: ", kYellow}, {std::to_string(score * 10), kCyan}, {"Pt.", kYellow}};
    expect_row(complete(), 10, line);
    expect_row(over(), 6, line);
    // The rows the large digits would take stay empty, so that the label and the count after
    // them stand as usual.
    for (int k = 1; k <= 3; ++k) {
      EXPECT_EQ(complete().row(10 + k), "");
      EXPECT_EQ(over().row(6 + k), "");
    }
    for (int y = 14; y < 20; ++y) {
      EXPECT_EQ(complete().row(y), kRoundCompleteScreen[y]) << "row " << y;
    }
    for (int y = 10; y < 16; ++y) {
      EXPECT_EQ(over().row(y), kGameOverScreen[y]) << "row " << y;
    }
  }
}

TEST_F(ResultScreenTest, SpaceGoesOnAndEitherCaseOfQQuitsAndTheGameIsLeftAlone) {
  game_state.fright_timer = 12;
  game_state.tick = 99;
  const GameState before = game_state;
  start_game_window("1 \\s\n1 \\s\n");
  EXPECT_EQ(show_round_complete(game_state), kFlowPlay);
  EXPECT_EQ(show_game_over(game_state), kFlowTitle);
  EXPECT_EQ(std::memcmp(&before, &game_state, sizeof(GameState)), 0);
  for (const char* key : {"Q", "q"}) {
    SetUp();
    start_game_window(std::string("1 ") + key + "\n1 " + key + "\n");
    EXPECT_EQ(show_round_complete(game_state), kFlowQuit) << key;
    EXPECT_EQ(show_game_over(game_state), kFlowQuit) << key;
    // The echoed key shows in cyan.
    EXPECT_EQ(screen().row(15), std::string(kGameOverScreen[15]) + " " + key);
    EXPECT_EQ(screen().fg(50, 15), kCyan);
  }
}

TEST_F(ResultScreenTest, OtherKeysGiveTheInvalidSelectionMessage) {
  const struct {
    int (*show)(const GameState&);
    int prompt_row;
    int result;
    const std::vector<Piece>* prompt;
  } cases[] = {{show_round_complete, 19, kFlowPlay, &kContinuePrompt},
               {show_game_over, 15, kFlowTitle, &kReturnPrompt}};
  for (const auto& c : cases) {
    SetUp();
    start_game_window("1 x\n1 q\n1 \\s\n");
    EXPECT_EQ(c.show(game_state), c.result);
    ASSERT_EQ(waits().size(), 3u);
    const ScreenSnapshot& message = waits()[1];
    expect_row(message, c.prompt_row, {{"Invalid selection, press any key to try again!", kRed}});
    // Only the prompt row changes, and any key, q too, brings the prompt back.
    for (int y = 0; y < c.prompt_row; ++y) {
      EXPECT_EQ(message.row(y), waits()[0].row(y)) << "row " << y;
    }
    expect_row(waits()[2], c.prompt_row, *c.prompt);
    EXPECT_EQ(waits()[2].row(c.prompt_row + 1), "");
  }
}

TEST_F(ResultScreenTest, EndOfInputQuits) {
  for (const char* script : {"", "1 x\n"}) {
    SetUp();
    start_game_window(script);
    EXPECT_EQ(show_round_complete(game_state), kFlowQuit) << script;
    EXPECT_EQ(show_game_over(game_state), kFlowQuit) << script;
  }
}

}  // namespace
