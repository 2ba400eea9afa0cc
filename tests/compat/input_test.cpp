#include <vector>

#include "console_fixture.h"
#include "headless_frontend.h"

namespace {

class ConsoleInputTest : public ConsoleTest {
 protected:
  // Reads one character as the console layer does; -1 when the read fails.
  static int read_one(HANDLE handle = in()) {
    char ch = 0;
    DWORD read = 9;
    if (!ReadConsoleA(handle, &ch, 1, &read, nullptr)) {
      EXPECT_EQ(read, 0u);
      return -1;
    }
    EXPECT_EQ(read, 1u);
    return static_cast<uint8_t>(ch);
  }
};

TEST_F(ConsoleInputTest, ReadTakesTheNextKeyPressWithACharacter) {
  host().push_keystroke(true, 's');
  EXPECT_EQ(read_one(), 's');
  // Its release is left behind and passed over by the next read, as are keys without a
  // character and releases before the press.
  ASSERT_EQ(host().input_queue().size(), 1u);
  host().push_keystroke(false, 0);
  host().push_key({false, true, 'x'});
  host().push_keystroke(true, 0xE9);
  host().push_keystroke(true, 0);
  EXPECT_EQ(read_one(), 0xE9);
  EXPECT_EQ(host().input_queue().size(), 3u);
  EXPECT_EQ(read_one(), 0);
  EXPECT_EQ(read_one(out()), -1);
  EXPECT_EQ(host().input_queue().size(), 1u);
}

TEST_F(ConsoleInputTest, ReadFailsWhenNoCharacterCanComeButTakesWhatIsQueued) {
  host().push_keystroke(false, 0);
  EXPECT_EQ(read_one(), -1);  // no front end
  EXPECT_TRUE(host().input_queue().empty());
  HeadlessFrontend frontend;
  frontend.attach(host());
  host().push_keystroke(true, 'a');
  host().end_input();
  EXPECT_EQ(read_one(), 'a');
  EXPECT_EQ(read_one(), -1);
}

TEST_F(ConsoleInputTest, PeekSeesTheQueueWithoutConsumingIt) {
  host().push_keystroke(false, 0);
  host().push_keystroke(true, 'd');
  DWORD count = 0;
  ASSERT_TRUE(GetNumberOfConsoleInputEvents(in(), &count));
  ASSERT_EQ(count, 4u);
  std::vector<INPUT_RECORD> records(5);
  DWORD read = 0;
  ASSERT_TRUE(PeekConsoleInputA(in(), records.data(), 5, &read));
  ASSERT_EQ(read, 4u);
  const struct {
    BOOL down;
    char ch;
  } expected[] = {{TRUE, 0}, {FALSE, 0}, {TRUE, 'd'}, {FALSE, 'd'}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(records[i].EventType, KEY_EVENT);
    EXPECT_EQ(records[i].Event.KeyEvent.bKeyDown, expected[i].down) << i;
    EXPECT_EQ(records[i].Event.KeyEvent.uChar.AsciiChar, expected[i].ch) << i;
  }
  ASSERT_TRUE(PeekConsoleInputA(in(), records.data(), 1, &read));
  EXPECT_EQ(read, 1u);
  EXPECT_EQ(host().input_queue().size(), 4u);
  EXPECT_EQ(read_one(), 'd');
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
  EXPECT_EQ(read_one(), 'z');
  EXPECT_EQ(frontend.waits, 3);
}

}  // namespace
