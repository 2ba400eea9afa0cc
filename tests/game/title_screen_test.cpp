// The title screen, drawn and answered on the headless console host.
#include "game/title_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/console.h"
#include "game/flow.h"
#include "headless_session.h"

namespace {

constexpr int kYellow = 14;
constexpr int kWhite = 15;
constexpr int kCyan = 11;
constexpr int kMagenta = 13;
constexpr int kRed = 12;

const char* const kFigure[20] = {
    "         ▄▄████████▄▄",
    "      ▄█████████▀██████▄",
    "    ▐█████████▀   ▀██████▌",
    "   ███████████▄   ▄███████",
    "  ▐█████████████▄███████▀",
    " ▐████████████████████▀",
    " ███████████████████▀",
    "▐█████████████████▀",
    "▐███████████████▀        ▄██▄      ▄██▄      ▄██▄",
    "██████████████▀         ▐████▌    ▐████▌    ▐████▌",
    "██████████████▄         ▐████▌    ▐████▌    ▐████▌",
    "▐███████████████▄        ▀██▀      ▀██▀      ▀██▀",
    "▐█████████████████▄",
    " ███████████████████▄",
    " ▐████████████████████▄",
    "  ▐█████████████████████▄",
    "   ███████████████████████",
    "    ▐████████████████████▌",
    "      ▀████████████████▀",
    "         ▀▀████████▀▀",
};

// Pieces of a row and the colour of each.
struct Piece {
  std::string text;
  int colour;
};

void expect_row(const ScreenSnapshot& screen, int y, const std::vector<Piece>& pieces) {
  std::string text;
  int x = 0;
  for (const Piece& piece : pieces) {
    text += piece.text;
    for (size_t i = 0; i < piece.text.size(); ++i, ++x) {
      EXPECT_EQ(screen.fg(x, y), piece.colour) << "row " << y << " column " << x;
      EXPECT_EQ(screen.bg(x, y), 0) << "row " << y << " column " << x;
    }
  }
  EXPECT_EQ(screen.row(y), text.substr(0, text.find_last_not_of(' ') + 1));
}

const std::vector<Piece> kPrompt = {{"Press ", kYellow},
                                    {"[S]", kMagenta},
                                    {" to begin, and ", kYellow},
                                    {"[Q]", kMagenta},
                                    {" to quit: ", kYellow}};

class TitleScreenTest : public HeadlessSession {
 protected:
  void SetUp() override {
    HeadlessSession::SetUp();
    game_state.score = 77;
    game_state.next_life_at = 5;
    game_state.round = 9;
    game_state.lives = 0;
    game_state.fright_timer = 40;
    game_state.tick = 200;
  }
  void start_title(const std::string& script) {
    start_resolved(script);
    con_set_window(0, 0, 55, 33);
  }
};

TEST_F(TitleScreenTest, FigureAndDotsAreDrawnInYellowAndWhite) {
  start_title("1 q\n");
  show_title(game_state);
  ASSERT_FALSE(waits().empty());
  const ScreenSnapshot& title = waits().front();
  for (int y = 0; y < 20; ++y) {
    EXPECT_EQ(title.row(y), kFigure[y]) << "row " << y;
    for (int x = 0; x < title.width; ++x) {
      if (title.cell(x, y).ch == ' ') {
        continue;
      }
      const bool dot = y >= 8 && y <= 11 && x >= 24;
      EXPECT_EQ(title.fg(x, y), dot ? kWhite : kYellow) << "row " << y << " column " << x;
      EXPECT_EQ(title.bg(x, y), 0);
    }
  }
}

TEST_F(TitleScreenTest, NameBannerIsGreenAndFitsItsRows) {
  start_title("1 q\n");
  show_title(game_state);
  const ScreenSnapshot& title = waits().front();
  for (int y = 20; y <= 24; ++y) {
    const std::string row = title.row(y);
    EXPECT_FALSE(row.empty());
    EXPECT_LE(row.size(), 49u);
    for (int x = 0; x < static_cast<int>(row.size()); ++x) {
      if (title.cell(x, y).ch != ' ') {
        EXPECT_EQ(title.fg(x, y), 10) << "row " << y << " column " << x;
      }
    }
  }
}

TEST_F(TitleScreenTest, LineAboutTheGameControlsAndPrompt) {
  start_title("1 q\n");
  show_title(game_state);
  const ScreenSnapshot& title = waits().front();
  EXPECT_EQ(title.row(25), "");
  expect_row(title, 26, {{" The definitive text-based version of the popular game", kCyan}});
  EXPECT_EQ(title.row(27), "");
  expect_row(title, 28,
             {{"Use ", kYellow},
              {"[W]", kMagenta},
              {",", kYellow},
              {"[A]", kMagenta},
              {",", kYellow},
              {"[S]", kMagenta},
              {",", kYellow},
              {"[D]", kMagenta},
              {" to move and ", kYellow},
              {"[Esc]", kMagenta},
              {" to pause.", kYellow}});
  expect_row(title, 29, kPrompt);
  EXPECT_EQ(title.cursor_x, 37);
  EXPECT_EQ(title.cursor_y, 29);
}

TEST_F(TitleScreenTest, EchoedKeyShowsInCyan) {
  start_title("1 q\n");
  show_title(game_state);
  const ScreenSnapshot after = screen();
  EXPECT_EQ(after.row(29), "Press [S] to begin, and [Q] to quit: q");
  EXPECT_EQ(after.fg(37, 29), kCyan);
}

TEST_F(TitleScreenTest, BothCasesOfSStartAGameWithAReset) {
  for (const char* key : {"S", "s"}) {
    SetUp();
    start_title(std::string("1 ") + key + "\n");
    EXPECT_EQ(show_title(game_state), kFlowPlay) << key;
    EXPECT_EQ(game_state.score, 0u);
    EXPECT_EQ(game_state.next_life_at, 1000u);
    EXPECT_EQ(game_state.round, 0);
    EXPECT_EQ(game_state.lives, 3);
    EXPECT_EQ(game_state.fright_timer, 0);
    EXPECT_EQ(game_state.tick, 200);  // the tick count runs on from game to game
  }
}

TEST_F(TitleScreenTest, BothCasesOfQQuitWithoutAReset) {
  for (const char* key : {"Q", "q"}) {
    SetUp();
    start_title(std::string("1 ") + key + "\n");
    EXPECT_EQ(show_title(game_state), kFlowQuit) << key;
    EXPECT_EQ(game_state.lives, 0);
    EXPECT_EQ(game_state.score, 77u);
  }
}

TEST_F(TitleScreenTest, OtherKeysGiveTheInvalidSelectionMessage) {
  for (const char* key : {"W", "w", "\\r", "7"}) {
    SetUp();
    start_title(std::string("1 ") + key + "\n1 x\n1 q\n");
    EXPECT_EQ(show_title(game_state), kFlowQuit) << key;
    ASSERT_EQ(waits().size(), 3u) << key;
    const ScreenSnapshot& message = waits()[1];
    expect_row(message, 29, {{"Invalid selection, press any key to try again!", kRed}});
    // Only the prompt row changes.
    for (int y = 0; y < 29; ++y) {
      EXPECT_EQ(message.row(y), waits()[0].row(y)) << "row " << y;
    }
    // Any key brings the prompt back in the same row.
    expect_row(waits()[2], 29, kPrompt);
    EXPECT_EQ(waits()[2].row(0), waits()[0].row(0));
    EXPECT_EQ(waits()[2].row(30), "");
  }
}

TEST_F(TitleScreenTest, EndOfInputQuits) {
  start_title("");
  EXPECT_EQ(show_title(game_state), kFlowQuit);
  start_title("1 x\n");  // the message waits for a key that never comes
  EXPECT_EQ(show_title(game_state), kFlowQuit);
}

}  // namespace
