// The title screen, drawn and answered on the headless console host.
#include "game/title_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/console.h"
#include "game/flow.h"
#include "headless_session.h"

namespace {

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
  int show(const std::string& script) {
    start_game_window(script);
    return show_title(game_state);
  }
};

TEST_F(TitleScreenTest, FigureDotsBannerAndTextsInTheirRowsAndColours) {
  show("1 q\n");
  ASSERT_FALSE(waits().empty());
  const ScreenSnapshot& title = waits().front();
  for (int y = 0; y < 20; ++y) {
    EXPECT_EQ(title.row(y), kFigure[y]) << "row " << y;
    for (int x = 0; x < title.width; ++x) {
      if (title.cell(x, y).ch != ' ') {
        const bool dot = y >= 8 && y <= 11 && x >= 24;
        EXPECT_EQ(title.fg(x, y), dot ? kWhite : kYellow) << "row " << y << " column " << x;
        EXPECT_EQ(title.bg(x, y), 0);
      }
    }
  }
  // The name banner: five green rows of at most 49 columns.
  for (int y = 20; y <= 24; ++y) {
    const std::string row = title.row(y);
    EXPECT_FALSE(row.empty());
    EXPECT_LE(row.size(), 49u);
    for (int x = 0; x < static_cast<int>(row.size()); ++x) {
      if (title.cell(x, y).ch != ' ') {
        EXPECT_EQ(title.fg(x, y), kGreen) << "row " << y << " column " << x;
      }
    }
  }
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

TEST_F(TitleScreenTest, EitherCaseOfSStartsAGameWithAResetAndOfQQuitsWithout) {
  for (const char* key : {"S", "s", "Q", "q"}) {
    SetUp();
    const bool start = key[0] == 'S' || key[0] == 's';
    EXPECT_EQ(show(std::string("1 ") + key + "\n"), start ? kFlowPlay : kFlowQuit) << key;
    EXPECT_EQ(game_state.score, start ? 0u : 77u);
    EXPECT_EQ(game_state.next_life_at, start ? 1000u : 5u);
    EXPECT_EQ(game_state.round, start ? 0 : 9);
    EXPECT_EQ(game_state.lives, start ? 3 : 0);
    EXPECT_EQ(game_state.fright_timer, start ? 0 : 40);
    EXPECT_EQ(game_state.tick, 200);  // the tick count runs on from game to game
    // The key is echoed in cyan.
    EXPECT_EQ(screen().row(29), std::string("Press [S] to begin, and [Q] to quit: ") + key);
    EXPECT_EQ(screen().fg(37, 29), kCyan);
  }
}

TEST_F(TitleScreenTest, OtherKeysGiveTheInvalidSelectionMessage) {
  for (const char* key : {"W", "w", "\\r", "7"}) {
    SetUp();
    EXPECT_EQ(show(std::string("1 ") + key + "\n1 x\n1 q\n"), kFlowQuit) << key;
    ASSERT_EQ(waits().size(), 3u) << key;
    const ScreenSnapshot& message = waits()[1];
    expect_row(message, 29, {{"Invalid selection, press any key to try again!", kRed}});
    // Only the prompt row changes, and any key brings the prompt back in the same row.
    for (int y = 0; y < 29; ++y) {
      EXPECT_EQ(message.row(y), waits()[0].row(y)) << "row " << y;
    }
    expect_row(waits()[2], 29, kPrompt);
    EXPECT_EQ(waits()[2].row(0), waits()[0].row(0));
    EXPECT_EQ(waits()[2].row(30), "");
  }
}

TEST_F(TitleScreenTest, EndOfInputQuits) {
  EXPECT_EQ(show(""), kFlowQuit);
  EXPECT_EQ(show("1 x\n"), kFlowQuit);  // the message waits for a key that never comes
}

}  // namespace
