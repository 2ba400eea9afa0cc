// Whole games on consoles without a function the console layer looks up by name: an invalid key
// on the title, any key, a round that runs to its end without a key, and the game over screen.
#include "console/console.h"
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

using KeyEventTest = HeadlessSession;

// Key events as the consoles queue them: a key-up is no key, a key without a character is passed
// over, an event held for three presses gives three, and Esc comes as every other key does.
TEST_F(KeyEventTest, EveryConsoleGivesTheKeyPressesThatCarryACharacter) {
  for (const ConsoleProfile& console : console_profiles()) {
    SetUp();
    host().reset(ConsoleHost::kDefaultWidth, ConsoleHost::kDefaultHeight, console);
    start();
    ASSERT_EQ(con_resolve(), 0);
    host().push_key({false, true, 'x'});
    EXPECT_EQ(con_char_waiting(), 0) << console.name;
    EXPECT_EQ(host().input_queue().size(), 1u) << console.name;
    host().push_keystroke(false, 0);
    host().push_key({true, true, 'a', 'A', 0x1E, 0, 3});
    host().push_keystroke(true, 0x1B);
    std::string keys;
    while (con_char_waiting() != 0) {
      keys += static_cast<char>(con_read_key());
    }
    EXPECT_EQ(keys, "aaa\x1b") << console.name;
  }
}
