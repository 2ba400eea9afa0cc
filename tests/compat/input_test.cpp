#include <vector>

#include "console_fixture.h"

namespace {

using ConsoleInputTest = ConsoleTest;

// Reads one character as the console layer does; -1 when the read fails.
int read_one(HANDLE handle) {
  char ch = 0;
  DWORD read = 9;
  if (!ReadConsoleA(handle, &ch, 1, &read, nullptr)) {
    EXPECT_EQ(read, 0u);
    return -1;
  }
  EXPECT_EQ(read, 1u);
  return static_cast<uint8_t>(ch);
}

TEST_F(ConsoleInputTest, ReadTakesTheNextKeyPressWithACharacterAndPeekLooksWithoutTaking) {
  host().push_keystroke(false, 0);
  host().push_keystroke(true, 'd');
  host().push_keystroke(true, 0);
  std::vector<INPUT_RECORD> records(7);
  DWORD count = 0;
  ASSERT_TRUE(GetNumberOfConsoleInputEvents(in(), &count));
  ASSERT_EQ(count, 6u);
  ASSERT_TRUE(PeekConsoleInputA(in(), records.data(), 7, &count));
  ASSERT_EQ(count, 6u);
  const struct {
    BOOL down;
    char ch;
  } expected[] = {{TRUE, 0}, {FALSE, 0}, {TRUE, 'd'}, {FALSE, 'd'}, {TRUE, 0}, {FALSE, 0}};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(records[i].EventType, KEY_EVENT);
    EXPECT_EQ(records[i].Event.KeyEvent.bKeyDown, expected[i].down) << i;
    EXPECT_EQ(records[i].Event.KeyEvent.uChar.AsciiChar, expected[i].ch) << i;
  }
  ASSERT_TRUE(PeekConsoleInputA(in(), records.data(), 1, &count));
  EXPECT_EQ(count, 1u);
  // A read passes over keys without a character and releases, and takes the character 0 too.
  EXPECT_EQ(read_one(in()), 'd');
  EXPECT_EQ(host().input_queue().size(), 3u);
  EXPECT_EQ(read_one(out()), -1);
  EXPECT_EQ(read_one(in()), 0);
  // Nothing left and no front end to wait through: the read fails and the release is gone.
  EXPECT_EQ(read_one(in()), -1);
  EXPECT_TRUE(host().input_queue().empty());
}

TEST_F(ConsoleInputTest, TheFrontEndPollsBeforeALookAndWaitsInABlockingRead) {
  class TestFrontend : public ConsoleFrontend {
   public:
    int waits = 0;
    void sleep(ConsoleHost&, uint32_t) override {}
    void poll_input(ConsoleHost& host) override { host.push_keystroke(true, 'p'); }
    bool wait_for_input(ConsoleHost& host) override {
      ++waits;
      host.push_keystroke(waits == 3, 'z');
      return true;
    }
  } frontend;
  host().set_frontend(&frontend);
  DWORD count = 0;
  ASSERT_TRUE(GetNumberOfConsoleInputEvents(in(), &count));
  EXPECT_EQ(count, 2u);
  INPUT_RECORD records[8] = {};
  ASSERT_TRUE(PeekConsoleInputA(in(), records, 8, &count));
  EXPECT_EQ(count, 4u);
  host().reset();
  host().set_frontend(&frontend);
  EXPECT_EQ(read_one(in()), 'z');
  EXPECT_EQ(frontend.waits, 3);
  // Once the input has ended, a read takes what is queued and then fails.
  host().push_keystroke(true, 'a');
  host().end_input();
  EXPECT_EQ(read_one(in()), 'a');
  EXPECT_EQ(read_one(in()), -1);
  EXPECT_EQ(frontend.waits, 3);
}

}  // namespace
