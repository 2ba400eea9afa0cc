// Whole games on consoles without a function the console layer looks up by name: an invalid key
// on the title, any key, a round that runs to its end without a key, and the game over screen.
#include "game/game_main.h"
#include "tests/support/headless_session.h"

namespace {

using MissingFunctionTest = HeadlessSession;

TEST_F(MissingFunctionTest, TheGameGoesWithoutIt) {
  for (const char* name :
       {"FillConsoleOutputAttribute", "FillConsoleOutputCharacterA", "GetConsoleScreenBufferInfo",
        "GetCurrentConsoleFontEx", "GetNumberOfConsoleInputEvents", "SetConsoleCursorPosition",
        "PeekConsoleInputA", "SetConsoleTitleA", "SetCurrentConsoleFontEx"}) {
    SetUp();
    host().hide_function(name);
    start("0 x\n0 y\n0 s\n999999 q\n");
    EXPECT_EQ(game_main(0, nullptr), 0) << "without " << name;
    ASSERT_FALSE(waits().empty()) << "without " << name;
    EXPECT_NE(waits().back().rows().find("to return to title, or [Q] to quit:"), std::string::npos)
        << name;
  }
}

}  // namespace
