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
#include "render/board_renderer.h"

namespace {

constexpr int kYellow = 14;
constexpr int kCyan = 11;
constexpr int kMagenta = 13;
constexpr int kGreen = 10;
constexpr int kRed = 12;

// The large digits, row by row.
const char* const kFont[10][4] = {
    {"  __  ", " /  \\ ", "| () |", " \\__/ "}, {" _ ", "/ |", "| |", "|_|"},
    {" ___ ", "|_  )", " / / ", "/___|"},       {" ____", "|__ /", " |_ \\", "|___/"},
    {" _ _  ", "| | | ", "|_  _|", "  |_| "},   {" ___ ", "| __|", "|__\\ ", "|___/"},
    {"  __ ", " / / ", "/ _ \\", "\\___/"},     {" ____ ", "|__  |", "  / / ", " /_/  "},
    {" ___ ", "( _ )", "/ _ \\", "\\___/"},     {" ___ ", "/ _ \\", "\\_, /", " /_/ "},
};

std::string big_row(uint32_t value, int font_row) {
  std::string row;
  for (const char digit : std::to_string(value)) {
    row += kFont[digit - '0'][font_row];
  }
  return row;
}

// Characters from column x of row y, as many as the text has.
std::string text_at(const ScreenSnapshot& shot, int x, int y, size_t length) {
  std::string text;
  for (size_t i = 0; i < length; ++i) {
    text += static_cast<char>(shot.cell(x + static_cast<int>(i), y).ch);
  }
  return text;
}

// The value in large digits from (x, y), every character of it in the colour.
void expect_big_number(const ScreenSnapshot& shot, int x, int y, uint32_t value, int colour) {
  for (int k = 0; k < 4; ++k) {
    const std::string row = big_row(value, k);
    EXPECT_EQ(text_at(shot, x, y + k, row.size()), row) << value << " row " << y + k;
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

// Pieces of a row and the colour of each.
struct Piece {
  std::string text;
  int colour;
};

void expect_row(const ScreenSnapshot& shot, int y, const std::vector<Piece>& pieces) {
  std::string text;
  int x = 0;
  for (const Piece& piece : pieces) {
    text += piece.text;
    for (size_t i = 0; i < piece.text.size(); ++i, ++x) {
      EXPECT_EQ(shot.fg(x, y), piece.colour) << "row " << y << " column " << x;
    }
  }
  EXPECT_EQ(shot.row(y), text.substr(0, text.find_last_not_of(' ') + 1));
}

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

constexpr char kReturnPromptText[] = "Press [Space] to return to title, or [Q] to quit: ";

const char* const kPointsLabel[4] = {
    " ___ _    ",
    "| _ \\ |_  ",
    "|  _/  _| ",
    "|_|  \\__()",
};
const char* const kLivesLabel[4] = {
    " _    _            ",
    "| |  (_)_ _____ ___",
    "| |__| \\ V / -_|_-<",
    "|____|_|\\_/\\___/__/",
};
const char* const kRoundsLabel[4] = {
    " ___                  _    ",
    "| _ \\___ _  _ _ _  __| |___",
    "|   / _ \\ || | ' \\/ _` (_-<",
    "|_|_\\___/\\_,_|_||_\\__,_/__/",
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

class ResultScreenTest : public HeadlessSession {
 protected:
  void SetUp() override {
    HeadlessSession::SetUp();
    game_state.score = 1234;
    game_state.next_life_at = 2000;
    game_state.lives = 3;
    game_state.round = 0;
  }
  void start_screen(const std::string& script) {
    start_resolved(script);
    con_set_window(0, 0, 55, 33);
  }
  // The screen as the prompt first waits for a key.
  const ScreenSnapshot& shown() const { return waits().front(); }
};

// split_digits

TEST(SplitDigitsTest, ZeroHasTheOneDigitZero) {
  uint8_t digits[20];
  std::memset(digits, 0xAA, sizeof digits);
  EXPECT_EQ(split_digits(digits, 0), 1);
  for (const uint8_t digit : digits) {
    EXPECT_EQ(digit, 0);
  }
}

TEST(SplitDigitsTest, DigitsComeLeastSignificantFirstAndTheRestIsCleared) {
  uint8_t digits[20];
  std::memset(digits, 0xAA, sizeof digits);
  EXPECT_EQ(split_digits(digits, 4294967295u), 10);
  const uint8_t expected[20] = {5, 9, 2, 7, 6, 9, 4, 9, 2, 4};
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(digits[i], expected[i]) << "position " << i;
  }
  EXPECT_EQ(split_digits(digits, 1000), 4);
  EXPECT_EQ(digits[3], 1);
  EXPECT_EQ(digits[4], 0);
}

// draw_big_number

class BigNumberTest : public ResultScreenTest {};

TEST_F(BigNumberTest, EveryDigitIsDrawnSideBySideInTheColourInEffect) {
  start_screen("");
  con_set_fg(kMagenta);
  EXPECT_EQ(draw_big_number(2, 3, 1234567890), 51);
  const ScreenSnapshot shot = screen();
  expect_big_number(shot, 2, 3, 1234567890, kMagenta);
  EXPECT_EQ(shot.row(2), "");
  EXPECT_EQ(shot.row(7), "");
  EXPECT_EQ(shot.cursor_x, 53);
  EXPECT_EQ(shot.cursor_y, 6);
}

TEST_F(BigNumberTest, WidthIsTheSumOfTheDigitWidths) {
  struct Case {
    uint32_t value;
    int width;
  };
  for (const Case& c :
       {Case{0, 6}, Case{1, 3}, Case{67, 11}, Case{255, 15}, Case{256, 15}, Case{12340, 25},
        Case{99999990, 41}, Case{199999900, 45}, Case{999999990, 46}, Case{4294967295u, 53}}) {
    EXPECT_EQ(draw_big_number(kMeasureOnly, kMeasureOnly, c.value), c.width) << c.value;
  }
}

TEST_F(BigNumberTest, MeasuringWritesNothingAndLeavesTheCursor) {
  start_screen("");
  con_set_cursor_pos(7, 9);
  const ScreenSnapshot before = screen();
  EXPECT_EQ(draw_big_number(kMeasureOnly, 5, 88), 10);
  EXPECT_EQ(draw_big_number(5, kMeasureOnly, 88), 10);
  const ScreenSnapshot after = screen();
  EXPECT_EQ(after.cursor_x, 7);
  EXPECT_EQ(after.cursor_y, 9);
  for (int y = 0; y < after.height; ++y) {
    EXPECT_EQ(after.row(y), before.row(y)) << "row " << y;
  }
}

// show_round_complete

TEST_F(ResultScreenTest, RoundCompleteShowsTheRoundScoreAndLives) {
  start_screen("1 \\s\n");
  con_set_fg(kCyan);
  EXPECT_EQ(show_round_complete(game_state), kFlowPlay);
  const ScreenSnapshot& shot = shown();
  for (int y = 0; y < 20; ++y) {
    EXPECT_EQ(shot.row(y), kRoundCompleteScreen[y]) << "row " << y;
  }
  for (int y = 20; y < shot.height; ++y) {
    EXPECT_EQ(shot.row(y), "") << "row " << y;
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

TEST_F(ResultScreenTest, RoundNumberTakesTheColourTheLastFrameLeft) {
  start_screen("1 q\n");
  draw_board(13, 0, game_state);
  show_round_complete(game_state);
  expect_big_number(shown(), 32, 0, 1, kCyan);
  SetUp();
  start_screen("1 q\n");
  con_set_fg(kMagenta);
  show_round_complete(game_state);
  expect_big_number(shown(), 32, 0, 1, kMagenta);
}

TEST_F(ResultScreenTest, LivesCountEndsBeforeItsLabel) {
  struct Case {
    uint8_t lives;
    int column;
  };
  for (const Case& c : {Case{1, 32}, Case{3, 30}, Case{255, 20}, Case{0, 29}}) {
    SetUp();
    game_state.lives = c.lives;
    start_screen("1 q\n");
    show_round_complete(game_state);
    expect_big_number(shown(), c.column, 14, c.lives, kCyan);
  }
}

TEST_F(ResultScreenTest, RoundIndex255ShowsRound256OnBothScreens) {
  game_state.round = 255;
  start_screen("1 q\n1 q\n");
  con_set_fg(kCyan);
  show_round_complete(game_state);
  expect_big_number(waits()[0], 32, 0, 256, kCyan);
  show_game_over(game_state);
  expect_big_number(waits()[1], 12, 10, 256, kCyan);
}

// Score section

TEST_F(ResultScreenTest, ScoreStandsInLargeDigitsBeforeThePointsLabel) {
  struct Case {
    uint32_t score;
    int column;
  };
  // 199,999,900 points are exactly 45 columns wide: with the label they fill the window.
  for (const Case& c : {Case{0, 39}, Case{1234, 20}, Case{9999999, 4}, Case{19999990, 0}}) {
    SetUp();
    game_state.score = c.score;
    start_screen("1 q\n1 q\n");
    show_round_complete(game_state);
    show_game_over(game_state);
    for (const int row : {10, 6}) {
      const ScreenSnapshot& shot = waits()[row == 10 ? 0 : 1];
      expect_big_number(shot, c.column, row, c.score * 10, kCyan);
      for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(text_at(shot, 45, row + k, 10), kPointsLabel[k]) << c.score << " row " << row + k;
      }
      expect_colour(shot, row, row + 3, 45, 54, kYellow);
    }
  }
}

TEST_F(ResultScreenTest, LabelRowsThatFillTheWindowTakeOneRowEach) {
  start_screen("1 q\n1 q\n");
  show_round_complete(game_state);
  show_game_over(game_state);
  // The Pt. label ends in the last column; the Lives label follows on the very next row.
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(text_at(waits()[0], 35, 14 + k, 19), kLivesLabel[k]) << "row " << 14 + k;
  }
  // Rows of the Rounds label end in the last column too; the prompt follows its count.
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(text_at(waits()[1], 28, 10 + k, 27), kRoundsLabel[k]) << "row " << 10 + k;
  }
  expect_row(waits()[1], 15, kReturnPrompt);
}

TEST_F(ResultScreenTest, ScoreTooWideForLargeDigitsIsOnePlainLine) {
  for (const uint32_t score : {99999999u, 429496729u}) {
    SetUp();
    game_state.score = score;
    start_screen("1 q\n1 q\n");
    show_round_complete(game_state);
    show_game_over(game_state);
    const std::string digits = std::to_string(score * 10);
    const std::vector<Piece> line = {{"Score: ", kYellow}, {digits, kCyan}, {"Pt.", kYellow}};
    // The rows the large digits would take stay empty, so that the label and its count line up
    // as usual.
    const ScreenSnapshot& complete = waits()[0];
    expect_row(complete, 10, line);
    for (int y = 11; y <= 13; ++y) {
      EXPECT_EQ(complete.row(y), "") << "row " << y;
    }
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(text_at(complete, 35, 14 + k, 19), kLivesLabel[k]) << "row " << 14 + k;
    }
    expect_big_number(complete, 30, 14, 3, kCyan);
    expect_row(complete, 19, kContinuePrompt);

    const ScreenSnapshot& over = waits()[1];
    expect_row(over, 6, line);
    for (int y = 7; y <= 9; ++y) {
      EXPECT_EQ(over.row(y), "") << "row " << y;
    }
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(text_at(over, 28, 10 + k, 27), kRoundsLabel[k]) << "row " << 10 + k;
    }
    expect_big_number(over, 24, 10, 1, kCyan);
    expect_row(over, 15, kReturnPrompt);
  }
}

// show_game_over

TEST_F(ResultScreenTest, GameOverShowsTheScoreAndTheRound) {
  game_state.score = 0;
  game_state.round = 66;
  start_screen("1 \\s\n");
  EXPECT_EQ(show_game_over(game_state), kFlowTitle);
  const ScreenSnapshot& shot = shown();
  for (int y = 0; y < 16; ++y) {
    EXPECT_EQ(shot.row(y), kGameOverScreen[y]) << "row " << y;
  }
  for (int y = 16; y < shot.height; ++y) {
    EXPECT_EQ(shot.row(y), "") << "row " << y;
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

// Prompt loop

TEST_F(ResultScreenTest, SpaceGoesOnAndQuitsWithEitherCaseOfQ) {
  start_screen("1 \\s\n1 \\s\n");
  EXPECT_EQ(show_round_complete(game_state), kFlowPlay);
  EXPECT_EQ(show_game_over(game_state), kFlowTitle);
  EXPECT_EQ(screen().row(15), "Press [Space] to return to title, or [Q] to quit:");
  for (const char* key : {"Q", "q"}) {
    SetUp();
    start_screen(std::string("1 ") + key + "\n1 " + key + "\n");
    EXPECT_EQ(show_round_complete(game_state), kFlowQuit) << key;
    EXPECT_EQ(show_game_over(game_state), kFlowQuit) << key;
    // The echoed key shows in cyan.
    EXPECT_EQ(screen().row(15), std::string(kReturnPromptText) + key);
    EXPECT_EQ(screen().fg(50, 15), kCyan);
  }
}

TEST_F(ResultScreenTest, OtherKeysGiveTheInvalidSelectionMessage) {
  struct Case {
    int (*show)(const GameState&);
    int prompt_row;
    int result;
    const std::vector<Piece>* prompt;
  };
  for (const Case& c : {Case{show_round_complete, 19, kFlowPlay, &kContinuePrompt},
                        Case{show_game_over, 15, kFlowTitle, &kReturnPrompt}}) {
    SetUp();
    start_screen("1 x\n1 q\n1 \\s\n");
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
    start_screen(script);
    EXPECT_EQ(show_round_complete(game_state), kFlowQuit) << script;
    EXPECT_EQ(show_game_over(game_state), kFlowQuit) << script;
  }
}

TEST_F(ResultScreenTest, ScreensLeaveTheGameAsItWas) {
  game_state.fright_timer = 12;
  game_state.tick = 99;
  const GameState before = game_state;
  start_screen("1 x\n1 y\n1 \\s\n1 \\s\n");
  show_round_complete(game_state);
  show_game_over(game_state);
  EXPECT_EQ(std::memcmp(&before, &game_state, sizeof(GameState)), 0);
}

}  // namespace
