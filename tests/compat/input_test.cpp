#include <string>
#include <vector>

#include "console_fixture.h"

namespace {

class ConsoleInputTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    raw_input();
  }
  // A character a read, not echoed, as the console layer reads.
  static void raw_input() { ASSERT_TRUE(SetConsoleMode(in(), ENABLE_PROCESSED_INPUT)); }
};

// Reads one character; -1 when the read fails.
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
  raw_input();
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

// The control handlers of the tests note each call: their name and the event.
std::string g_calls;

BOOL WINAPI passing_handler(DWORD event) {
  g_calls += "pass" + std::to_string(event) + " ";
  return FALSE;
}

BOOL WINAPI taking_handler(DWORD event) {
  g_calls += "take" + std::to_string(event) + " ";
  return TRUE;
}

TEST_F(ConsoleInputTest, InputModesShapeWhatAReadGivesAndWhatIsEchoed) {
  constexpr DWORD kProcessed = ENABLE_PROCESSED_INPUT;
  constexpr DWORD kLine = ENABLE_LINE_INPUT;
  constexpr DWORD kEcho = ENABLE_ECHO_INPUT;
  const struct {
    const char* name;
    DWORD mode;
    std::string keys;
    DWORD to_read;
    std::vector<std::string> reads;
    std::string echoed;
    std::string calls;
  } cases[] = {
      {"raw: a character a read", kProcessed, "ab\r", 8, {"a", "b", "\r"}, "", ""},
      {"a line ends with Enter, as CR LF",
       kProcessed | kLine,
       "ab\rc\r",
       8,
       {"ab\r\n", "c\r\n"},
       "",
       ""},
      {"a short read leaves the rest of the line", kLine, "abc\r", 3, {"abc", "\r\n"}, "", ""},
      {"echo writes what is typed", kProcessed | kLine | kEcho, "ab\r", 8, {"ab\r\n"}, "ab", ""},
      {"processed Backspace edits the line",
       kProcessed | kLine | kEcho,
       "\bab\bc\r",
       8,
       {"ac\r\n"},
       "ac",
       ""},
      {"unprocessed Backspace is a character", kLine, "ab\b\r", 8, {"ab\b\r\n"}, "", ""},
      {"echo needs line input", kProcessed | kEcho, "a", 8, {"a"}, "", ""},
      {"processed Ctrl+C raises an event instead",
       kProcessed,
       "a\x03"
       "b",
       8,
       {"a", "b"},
       "",
       "take0 "},
      {"unprocessed Ctrl+C is a character", kLine, "\x03\r", 8, {"\x03\r\n"}, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host().reset();
    g_calls.clear();
    ASSERT_TRUE(SetConsoleCtrlHandler(taking_handler, TRUE));
    ASSERT_TRUE(SetConsoleMode(in(), c.mode));
    for (const char key : c.keys) {
      host().push_keystroke(true, static_cast<uint8_t>(key));
    }
    for (const std::string& expected : c.reads) {
      char buffer[8] = {};
      DWORD read = 0;
      ASSERT_TRUE(ReadConsoleA(in(), buffer, c.to_read, &read, nullptr));
      EXPECT_EQ(std::string(buffer, read), expected);
    }
    EXPECT_EQ(row(0).substr(0, row(0).find_last_not_of(' ') + 1), c.echoed);
    EXPECT_EQ(g_calls, c.calls);
  }
}

TEST_F(ConsoleInputTest, ControlEventsGoToTheLastHandlerFirstAndOneThatNoneTakesEndsTheInput) {
  g_calls.clear();
  ASSERT_TRUE(SetConsoleCtrlHandler(passing_handler, TRUE));
  ASSERT_TRUE(SetConsoleCtrlHandler(taking_handler, TRUE));
  host().push_keystroke(true, 'a');
  EXPECT_TRUE(host().raise_control_event(CTRL_BREAK_EVENT));
  ASSERT_TRUE(SetConsoleCtrlHandler(taking_handler, FALSE));
  EXPECT_FALSE(SetConsoleCtrlHandler(taking_handler, FALSE));
  // Ignored, Ctrl+C reaches no handler; Ctrl+Break still does.
  ASSERT_TRUE(SetConsoleCtrlHandler(nullptr, TRUE));
  EXPECT_TRUE(host().raise_control_event(CTRL_C_EVENT));
  EXPECT_EQ(host().input_queue().size(), 2u);
  EXPECT_FALSE(host().raise_control_event(CTRL_BREAK_EVENT));
  EXPECT_EQ(g_calls, "take1 pass1 ");
  // The process ends: no key is left or comes, and a read fails.
  EXPECT_TRUE(host().input_queue().empty());
  host().push_keystroke(true, 'b');
  EXPECT_EQ(read_one(in()), -1);
  // Closing the console ends the process even when a handler takes the event.
  host().reset();
  ASSERT_TRUE(SetConsoleCtrlHandler(taking_handler, TRUE));
  EXPECT_FALSE(host().raise_control_event(CTRL_CLOSE_EVENT));
  EXPECT_TRUE(host().input_ended());
}

}  // namespace
