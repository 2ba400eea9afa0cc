// Whole games on consoles without a function the console layer looks up by name: an invalid key
// on the title, any key, a round that runs to its end without a key, and the game over screen.
#include "game/game_main.h"
#include "headless_session.h"

namespace {

class MissingFunctionTest : public HeadlessSession,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(MissingFunctionTest, TheGameGoesWithoutIt) {
  host().hide_function(GetParam());
  start("0 x\n0 y\n0 s\n999999 q\n");
  EXPECT_EQ(game_main(0, nullptr), 0);
  ASSERT_FALSE(waits().empty());
  EXPECT_NE(waits().back().rows().find("Press [Space] to return to title, or [Q] to quit:"),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Functions, MissingFunctionTest,
                         ::testing::Values("FillConsoleOutputAttribute",
                                           "FillConsoleOutputCharacterA",
                                           "GetConsoleScreenBufferInfo", "GetCurrentConsoleFontEx",
                                           "GetNumberOfConsoleInputEvents",
                                           "SetConsoleCursorPosition", "PeekConsoleInputA",
                                           "SetConsoleTitleA", "SetCurrentConsoleFontEx"));

}  // namespace
