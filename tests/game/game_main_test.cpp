// The game's start-up and way out, on the headless console host.
#include "game/game_main.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "headless_session.h"

namespace {

class GameMainTest : public HeadlessSession {
 protected:
  // A console set up as a user might have it: a tall cursor, yellow on blue.
  void SetUp() override {
    HeadlessSession::SetUp();
    host().set_cursor_info(50, true);
    host().set_text_attribute(0x1E);
  }
  static int run() { return game_main(0, nullptr); }
};

TEST_F(GameMainTest, WithoutAConsoleTheGameEndsAtOnceWithStatusOne) {
  start("1 q\n");
  host().set_available(false);
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(host().width(), 80);
  EXPECT_EQ(host().height(), 25);
  EXPECT_EQ(host().title(), "");
  EXPECT_EQ(screen().row(0), "");
  EXPECT_EQ(host().attribute(), 0x1E);
}

TEST_F(GameMainTest, QuittingRestoresTheConsole) {
  for (const char* key : {"q", "Q"}) {
    SetUp();
    start(std::string("1 ") + key + "\n");
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(host().cursor_size(), 50);
    EXPECT_TRUE(host().cursor_visible());
    EXPECT_EQ(host().font_width(), 8);
    EXPECT_EQ(host().font_height(), 16);
    EXPECT_EQ(host().attribute(), 0x1E);
    EXPECT_EQ(host().width(), 80);
    EXPECT_EQ(host().height(), 25);
    EXPECT_EQ(host().window_right(), 79);
    EXPECT_EQ(host().window_bottom(), 24);
    // The last screen stays.
    EXPECT_EQ(screen().row(0), "         ▄▄████████▄▄");
  }
}

TEST_F(GameMainTest, EndOfInputOnTheTitleQuits) {
  start("");
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(host().width(), 80);
  EXPECT_EQ(host().cursor_size(), 50);
}

struct FontCase {
  int width;
  int height;
  unsigned family;
  int expected_width;
  int expected_height;
};

class FontRuleTest : public GameMainTest, public ::testing::WithParamInterface<FontCase> {};

TEST_P(FontRuleTest, StartUpSizesTitlesAndWidensNarrowFontsForTheGameAndRestoresThemAfter) {
  const FontCase& font = GetParam();
  host().set_font(font.width, font.height, font.family);
  start("1 q\n");
  EXPECT_EQ(run(), 0);
  ASSERT_EQ(waits().size(), 1u);
  EXPECT_EQ(waits()[0].width, 55);
  EXPECT_EQ(waits()[0].height, 33);
  EXPECT_EQ(waits()[0].title, "Mazewick 1.0");
  EXPECT_EQ(waits()[0].font_width, font.expected_width);
  EXPECT_EQ(waits()[0].font_height, font.expected_height);
  EXPECT_EQ(host().font_width(), font.width);
  EXPECT_EQ(host().font_height(), font.height);
  EXPECT_EQ(host().font_family(), font.family);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, FontRuleTest,
    ::testing::Values(FontCase{8, 16, 0x30, 12, 16}, FontCase{11, 16, 0x30, 12, 16},
                      FontCase{11, 16, TMPF_TRUETYPE, 11, 18}, FontCase{8, 12, TMPF_VECTOR, 11, 18},
                      FontCase{12, 16, 0x30, 12, 16}, FontCase{12, 20, TMPF_TRUETYPE, 12, 20}));

}  // namespace
