// The console host through the Windows functions the game calls, on a fresh headless console.
#include <string>
#include <vector>

#include "headless_session.h"
#include "screen_dump.h"

namespace {

using ConsoleHostTest = HeadlessSession;

HANDLE out() {
  return GetStdHandle(STD_OUTPUT_HANDLE);
}
HANDLE in() {
  return GetStdHandle(STD_INPUT_HANDLE);
}

void write(const std::string& bytes) {
  DWORD written = 0;
  ASSERT_TRUE(WriteConsoleA(out(), bytes.data(), bytes.size(), &written, nullptr));
  EXPECT_EQ(written, bytes.size());
}

// The rows with text, then "@" the cursor.
std::string shown() {
  const ConsoleHost& host = console_host();
  return take_snapshot(host).rows() + " @" + std::to_string(host.cursor_x()) + "," +
         std::to_string(host.cursor_y());
}

TEST_F(ConsoleHostTest, OutputModes) {
  constexpr DWORD kNoWrap = ENABLE_PROCESSED_OUTPUT, kWrap = kNoWrap | ENABLE_WRAP_AT_EOL_OUTPUT;
  const struct {
    DWORD mode;
    int width, height;
    const char* bytes;
    const char* shown;
  } cases[] = {
      {kWrap, 6, 2, "\x01\x1B\x7F\xDB", "☺←⌂█ @4,0"},  // other control bytes are glyphs
      {kWrap, 6, 2, "a\abc\b\bX\r\b\b", "aXc @0,0"},   // bell; backspace stops at column 0
      {kWrap, 20, 2, "ab\tc\td\te", "ab      c       d  e @0,1"},  // the last tab stop
      {kWrap, 6, 2, "abc\nd", "abc|d @1,1"},
      {kWrap, 4, 3, "top\nmid\nbot\n", "mid|bot @0,2"},  // a line feed on the bottom row scrolls
      {kWrap, 4, 3, "abcd\nef", "abcd||ef @2,2"},        // the last column wraps at once
      {kWrap, 2, 2, "abcde", "cd|e @1,1"},               // a wrap on the bottom row scrolls
      {kNoWrap, 4, 3, "abcdef", "abcf @3,0"},            // the cursor stays in the last column
      {kNoWrap, 4, 3, "abcd\nef", "abcd|ef @2,1"},       // a full row and a line feed: one row
      {kNoWrap, 4, 3, "abcd\bX", "abXd @3,0"},
      {ENABLE_WRAP_AT_EOL_OUTPUT, 8, 2, "a\n\r\b\a\t", "a◙♪◘•○ @6,0"},  // unprocessed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    host().reset(c.width, c.height);
    ASSERT_TRUE(SetConsoleMode(out(), c.mode));
    write(c.bytes);
    EXPECT_EQ(shown(), c.shown);
  }
}

// What con_set_window relies on: a buffer never smaller than its window, which stays inside it.
TEST_F(ConsoleHostTest, TheBufferIsNeverSmallerThanTheWindowAndKeepsWhatFits) {
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x2E));
  write("abc\ndef");
  EXPECT_FALSE(SetConsoleScreenBufferSize(out(), {79, 25}));
  EXPECT_FALSE(SetConsoleScreenBufferSize(out(), {80, 24}));
  const SMALL_RECT windows[] = {{0, 0, 80, 24}, {9, 0, 5, 9}, {70, 20, 79, 24}, {1, 1, -1, 0}};
  EXPECT_FALSE(SetConsoleWindowInfo(out(), TRUE, &windows[0]));
  EXPECT_FALSE(SetConsoleWindowInfo(out(), TRUE, &windows[1]));
  ASSERT_TRUE(SetConsoleWindowInfo(out(), TRUE, &windows[2]));
  ASSERT_TRUE(SetConsoleCursorPosition(out(), {75, 22}));
  // Cursor and window move back inside the new buffer; the window keeps its size.
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {12, 6}));
  ASSERT_TRUE(SetConsoleWindowInfo(out(), FALSE, &windows[3]));  // relative: the edges move
  EXPECT_EQ(shown(), "abc|def @11,5");
  EXPECT_EQ(std::vector({host().window_left(), host().window_top(), host().window_right(),
                         host().window_bottom()}),
            std::vector({3, 2, 10, 5}));
  const SMALL_RECT one_cell = {0, 0, 0, 0};
  ASSERT_TRUE(SetConsoleWindowInfo(out(), TRUE, &one_cell));
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {2, 1}));
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {3, 2}));
  EXPECT_EQ(shown(), "ab @1,0");
  EXPECT_EQ(host().cell(1, 0).attr, 0x2E);
  EXPECT_EQ(host().cell(2, 0).attr, 0x07);  // new cells are blank in the default colours
}

// The control handlers of the tests note each call: their name and the event.
std::string g_calls;
BOOL WINAPI passing_handler(DWORD event) {
  g_calls += " pass" + std::to_string(event);
  return FALSE;
}
BOOL WINAPI taking_handler(DWORD event) {
  g_calls += " take" + std::to_string(event);
  return TRUE;
}

TEST_F(ConsoleHostTest, InputModesShapeWhatReadsGiveAndWhatIsEchoed) {
  constexpr DWORD kProcessed = ENABLE_PROCESSED_INPUT, kLine = ENABLE_LINE_INPUT,
                  kEcho = ENABLE_ECHO_INPUT;
  const struct {
    DWORD mode;
    const char* keys;
    DWORD to_read;
    const char* reads;  // each read and "|", then the handlers called
    const char* echoed;
  } cases[] = {
      {kProcessed, "ab\r", 8, "a|b|\r|", ""},  // a character a read, as the game reads
      {kProcessed | kLine, "ab\rc\r", 8, "ab\r\n|c\r\n|", ""},  // Enter ends a line as CR LF
      {kLine, "abc\r", 3, "abc|\r\n|", ""},  // a short read leaves the rest of the line
      {kProcessed | kLine | kEcho, "\bab\bc\r", 8, "ac\r\n|", "ac"},  // Backspace edits
      {kLine | kEcho, "ab\b\r", 8, "ab\b\r\n|", "ab"},  // unprocessed it is a character
      {kProcessed | kEcho, "a", 8, "a|", ""},           // echo needs line input
      {kProcessed, "a\x03z", 8, "a|z| take0", ""},      // processed Ctrl+C raises an event instead
      {kLine, "\x03\r", 8, "\x03\r\n|", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    host().reset();
    g_calls.clear();
    ASSERT_TRUE(SetConsoleCtrlHandler(taking_handler, TRUE));
    ASSERT_TRUE(SetConsoleMode(in(), c.mode));
    for (const char* key = c.keys; *key != '\0'; ++key) {
      host().push_keystroke(true, static_cast<uint8_t>(*key));
    }
    std::string reads;
    char buffer[8] = {};
    // Nothing left to take and no front end to wait through: the read fails.
    for (DWORD read = 0; ReadConsoleA(in(), buffer, c.to_read, &read, nullptr);) {
      reads += std::string(buffer, read) + "|";
    }
    EXPECT_EQ(reads + g_calls, c.reads);
    EXPECT_EQ(screen().row(0), c.echoed);
  }
}

TEST_F(ConsoleHostTest, ControlEventsGoToTheLastHandlerFirstAndOneThatNoneTakesEndsTheProcess) {
  g_calls.clear();
  ASSERT_TRUE(SetConsoleCtrlHandler(passing_handler, TRUE));
  ASSERT_TRUE(SetConsoleCtrlHandler(taking_handler, TRUE));
  host().push_keystroke(true, 'a');
  EXPECT_TRUE(host().raise_control_event(CTRL_BREAK_EVENT));
  ASSERT_TRUE(SetConsoleCtrlHandler(taking_handler, FALSE));
  EXPECT_FALSE(SetConsoleCtrlHandler(taking_handler, FALSE));
  ASSERT_TRUE(SetConsoleCtrlHandler(nullptr, TRUE));  // an ignored Ctrl+C reaches no handler
  EXPECT_TRUE(host().raise_control_event(CTRL_C_EVENT));
  EXPECT_EQ(host().input_queue().size(), 2u);
  EXPECT_FALSE(host().raise_control_event(CTRL_BREAK_EVENT));
  EXPECT_EQ(g_calls, " take1 pass1");
  // The process ends: no key is left or comes, and a read fails.
  host().push_keystroke(true, 'b');
  char ch = 0;
  DWORD read = 0;
  EXPECT_FALSE(ReadConsoleA(in(), &ch, 1, &read, nullptr));
  // Closing the console ends it even when a handler takes the event.
  host().reset();
  ASSERT_TRUE(SetConsoleCtrlHandler(taking_handler, TRUE));
  EXPECT_FALSE(host().raise_control_event(CTRL_CLOSE_EVENT));
  EXPECT_TRUE(host().input_ended());
}

TEST_F(ConsoleHostTest, TheScreenDumpIsOneLineOfJsonWithTheGlyphsAndTheTextEscaped) {
  host().reset(3, 2);
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x1E));
  write("\x01\xDB\n");
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0xC4));
  write("\"\\");
  const CONSOLE_CURSOR_INFO hidden = {60, FALSE};
  ASSERT_TRUE(SetConsoleCursorInfo(out(), &hidden));
  ASSERT_TRUE(SetConsoleTitleA("a\"\n\x1B\xE9"));
  EXPECT_EQ(screen_dump_json(host(), 7),
            R"({"pause":7,"width":3,"height":2,"rows":["☺█ ","\"\\ "],"fg":["ee7","447"],)"
            R"("bg":["110","cc0"],"cursor":[2,1,0,60],"title":"a\"\n\u001bΘ"})");
}

}  // namespace
