#include <vector>

#include "console_fixture.h"
#include "headless_frontend.h"

namespace {

class ConsoleInputTest : public ConsoleTest {
 protected:
  // Reads one character as the console layer does; -1 when the read fails.
  static int read_one() {
    char ch = 0;
    DWORD read = 9;
    if (!ReadConsoleA(in(), &ch, 1, &read, nullptr)) {
      EXPECT_EQ(read, 0u);
      return -1;
    }
    EXPECT_EQ(read, 1u);
    return static_cast<uint8_t>(ch);
  }

  static std::vector<INPUT_RECORD> peek_all() {
    DWORD count = 0;
    EXPECT_TRUE(GetNumberOfConsoleInputEvents(in(), &count));
    std::vector<INPUT_RECORD> records(count + 1);
    DWORD read = 0;
    EXPECT_TRUE(PeekConsoleInputA(in(), records.data(), count + 1, &read));
    records.resize(read);
    return records;
  }
};

TEST_F(ConsoleInputTest, ReadTakesTheNextCharacterKeyPress) {
  host().push_keystroke(true, 's');
  EXPECT_EQ(read_one(), 's');
  // Its release is left behind and is passed over by the next read.
  ASSERT_EQ(host().input_queue().size(), 1u);
  host().push_keystroke(true, 0xE9);
  EXPECT_EQ(read_one(), 0xE9);
}

TEST_F(ConsoleInputTest, ReadDiscardsKeysWithoutACharacterAndReleasesBeforeIt) {
  host().push_keystroke(false, 0);
  host().push_key({false, true, 'x'});
  host().push_keystroke(true, 'q');
  host().push_keystroke(true, 'w');
  EXPECT_EQ(read_one(), 'q');
  EXPECT_EQ(host().input_queue().size(), 3u);
  EXPECT_EQ(read_one(), 'w');
}

TEST_F(ConsoleInputTest, ReadTakesTheCharacterZero) {
  host().push_keystroke(true, 0);
  EXPECT_EQ(read_one(), 0);
}

TEST_F(ConsoleInputTest, ReadWithNothingQueuedAndNoFrontEndFails) {
  host().push_keystroke(false, 0);
  EXPECT_EQ(read_one(), -1);
  EXPECT_TRUE(host().input_queue().empty());
}

TEST_F(ConsoleInputTest, ReadAfterTheEndOfInputFailsButStillTakesQueuedKeys) {
  HeadlessFrontend frontend;
  frontend.attach(host());
  host().push_keystroke(true, 'a');
  host().end_input();
  EXPECT_EQ(read_one(), 'a');
  EXPECT_EQ(read_one(), -1);
}

TEST_F(ConsoleInputTest, ReadFailsOnTheOutputHandle) {
  host().push_keystroke(true, 'a');
  char ch = 0;
  DWORD read = 0;
  EXPECT_FALSE(ReadConsoleA(out(), &ch, 1, &read, nullptr));
  EXPECT_EQ(host().input_queue().size(), 2u);
}

TEST_F(ConsoleInputTest, PeekSeesTheQueueWithoutConsumingIt) {
  host().push_keystroke(false, 0);
  host().push_keystroke(true, 'd');
  const std::vector<INPUT_RECORD> records = peek_all();
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].EventType, KEY_EVENT);
  EXPECT_EQ(records[0].Event.KeyEvent.bKeyDown, TRUE);
  EXPECT_EQ(records[0].Event.KeyEvent.uChar.AsciiChar, 0);
  EXPECT_EQ(records[1].Event.KeyEvent.bKeyDown, FALSE);
  EXPECT_EQ(records[2].Event.KeyEvent.bKeyDown, TRUE);
  EXPECT_EQ(records[2].Event.KeyEvent.uChar.AsciiChar, 'd');
  EXPECT_EQ(records[3].EventType, KEY_EVENT);
  EXPECT_EQ(records[3].Event.KeyEvent.bKeyDown, FALSE);
  EXPECT_EQ(records[3].Event.KeyEvent.uChar.AsciiChar, 'd');
  EXPECT_EQ(host().input_queue().size(), 4u);
  EXPECT_EQ(read_one(), 'd');
}

TEST_F(ConsoleInputTest, PeekCopiesNoMoreThanAsked) {
  host().push_keystroke(true, 'a');
  INPUT_RECORD record{};
  DWORD read = 0;
  ASSERT_TRUE(PeekConsoleInputA(in(), &record, 1, &read));
  EXPECT_EQ(read, 1u);
  EXPECT_EQ(record.Event.KeyEvent.uChar.AsciiChar, 'a');
}

TEST_F(ConsoleInputTest, CountAndPeekAskTheFrontEndToPollFirst) {
  class PollingFrontend : public ConsoleFrontend {
   public:
    void sleep(ConsoleHost&, uint32_t) override {}
    void poll_input(ConsoleHost& host) override { host.push_keystroke(true, 'p'); }
    bool wait_for_input(ConsoleHost&) override { return false; }
  } frontend;
  host().set_frontend(&frontend);
  DWORD count = 0;
  ASSERT_TRUE(GetNumberOfConsoleInputEvents(in(), &count));
  EXPECT_EQ(count, 2u);
  INPUT_RECORD records[8] = {};
  DWORD read = 0;
  ASSERT_TRUE(PeekConsoleInputA(in(), records, 8, &read));
  EXPECT_EQ(read, 4u);
}

TEST_F(ConsoleInputTest, ReadWaitsThroughTheFrontEndUntilACharacterArrives) {
  class SlowFrontend : public ConsoleFrontend {
   public:
    int waits = 0;
    void sleep(ConsoleHost&, uint32_t) override {}
    void poll_input(ConsoleHost&) override {}
    bool wait_for_input(ConsoleHost& host) override {
      ++waits;
      host.push_keystroke(waits == 3, 'z');
      return true;
    }
  } frontend;
  host().set_frontend(&frontend);
  EXPECT_EQ(read_one(), 'z');
  EXPECT_EQ(frontend.waits, 3);
}

}  // namespace
