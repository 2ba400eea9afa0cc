// The console host through the Windows functions the game calls, with keys from input scripts
// delivered by the headless front end.
#include <cstdio>
#include <string>
#include <tuple>

#include "tests/support/headless_session.h"

namespace {

// The log of a run: the key presses queued at the start and after each action, "p" and "w"
// with the pause count for each pause and wait, "=" what each read gives ("-" when it fails),
// and each control event as the handler that takes it ("^") or passes it on ("pass") notes it.
std::string g_log;

template <BOOL kTakes>
BOOL handler(DWORD event) {
  g_log += (kTakes ? " ^" : " pass") + std::to_string(event);
  return kTakes;
}

class ConsoleHostTest : public HeadlessSession {
 protected:
  static HANDLE out() { return GetStdHandle(STD_OUTPUT_HANDLE); }
  static void write(const std::string& bytes) {
    DWORD written = 0;
    ASSERT_TRUE(WriteConsoleA(out(), bytes.data(), bytes.size(), &written, nullptr));
    EXPECT_EQ(written, bytes.size());
  }
  // The rows with text, then "@" the cursor.
  static std::string shown() {
    return screen().rows() + " @" + std::to_string(host().cursor_x()) + "," +
           std::to_string(host().cursor_y());
  }
  void paused(ConsoleHost&, uint64_t pauses) override { note(" p" + std::to_string(pauses)); }
  void waiting(ConsoleHost&, uint64_t pauses) override { note(" w" + std::to_string(pauses)); }
  static void note(const std::string& what) {
    g_log += what + "[";
    for (const ConsoleKey& key : host().input_queue()) {
      char text[8];
      std::snprintf(text, sizeof text, key.ch > 0x20 && key.ch < 0x7F ? "%c" : "{%02x}", key.ch);
      g_log += !key.down ? "" : key.has_char ? text : "{k}";
    }
    g_log += "]";
  }
};

// The output mode, the bytes written on a console of 4 x 3, and what it shows.
TEST_F(ConsoleHostTest, OutputModes) {
  constexpr DWORD kNoWrap = ENABLE_PROCESSED_OUTPUT, kWrap = kNoWrap | ENABLE_WRAP_AT_EOL_OUTPUT;
  const std::tuple<DWORD, const char*, const char*> cases[] = {
      {kWrap, "\x01\x1B\x7F", "☺←⌂ @3,0"},           // other control bytes are glyphs
      {kWrap, "top\nmid\nbot\n", "mid|bot @0,2"},    // a line feed on the bottom row scrolls
      {kWrap, "abcd\nef", "abcd||ef @2,2"},          // the last column wraps at once
      {kWrap, "abcdefghijklm", "efgh|ijkl|m @1,2"},  // a wrap on the bottom row scrolls
      {kNoWrap, "abcdef", "abcf @3,0"},              // the cursor stays in the last column
      {ENABLE_WRAP_AT_EOL_OUTPUT, "a\n\r\b\a", "a◙♪◘|• @1,1"},  // unprocessed
      // Virtual-terminal processing: the last column wraps at the next character, control
      // bytes show nothing, sequences are read whole, ESC ) 0 and SO shift to line drawing.
      {kWrap | ENABLE_VIRTUAL_TERMINAL_PROCESSING, "abcd", "abcd @3,0"},
      {kWrap | ENABLE_VIRTUAL_TERMINAL_PROCESSING, "abcde\x03\x1B[2J\x1B)0\x0Eq", "abcd|e─ @2,1"},
  };
  for (const auto& [mode, bytes, expected] : cases) {
    host().reset(4, 3);
    ASSERT_TRUE(SetConsoleMode(out(), mode));
    write(bytes);
    EXPECT_EQ(shown(), expected) << "after " << bytes;
  }
}

// The same bytes on each console: the font's glyphs for control bytes in code page 437, nothing
// for them under virtual-terminal processing or from UTF-8, other letters in code page 850, and
// in UTF-8 a replacement for each byte that starts no sequence.
TEST_F(ConsoleHostTest, EachConsoleShowsTheBytesByItsCodePageAndModes) {
  const std::pair<const char*, const char*> cases[] = {
      {"model", "♥♦♣♠♫☼∙∞▌▐─│ab"}, {"conhost", "♥♦♣♠♫☼∙∞▌▐─│ab"}, {"terminal", "∙∞▌▐─│ab"},
      {"cp850", "♥♦♣♠♫☼¨ý¦Ì─│ab"}, {"cp65001", "����ĳab"},
  };
  for (const auto& [console, expected] : cases) {
    host().reset(20, 1, *find_console_profile(console));
    write("\x03\x04\x05\x06\x0E\x0F\xF9\xEC\xDD\xDE");
    write("\xC4");  // a sequence goes on into the next write
    write(
        "\xB3"
        "ab");
    EXPECT_EQ(screen().row(0), expected) << console;
  }
  EXPECT_FALSE(SetConsoleOutputCP(1252));
  EXPECT_EQ(GetConsoleOutputCP(), 65001u);
  host().reset(20, 1, *find_console_profile("conhost"));
  host().reset();  // a fresh model console, whatever the one before
  EXPECT_FALSE(host().quick_edit());
}

// In the classic console a raw read passes over Esc and Ctrl+Enter's line feed, unless
// virtual-terminal input is on; their key events come as a keyboard gives them.
TEST_F(ConsoleHostTest, TheClassicConsolesRawReadPassesOverEscAndLineFeed) {
  const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  const std::tuple<const char*, DWORD, const char*> reads[] = {
      {"model", 0,
       "\x1b"
       "a\nb"},
      {"conhost", 0, "ab"},
      {"terminal", ENABLE_VIRTUAL_TERMINAL_INPUT,
       "\x1b"
       "a\nb"},
  };
  for (const auto& [console, extra_mode, expected] : reads) {
    SetUp();
    host().reset(80, 25, *find_console_profile(console));
    ASSERT_TRUE(SetConsoleMode(in, ENABLE_PROCESSED_INPUT | extra_mode));
    start("0 \\ea\\nb\n");
    std::string got;
    char ch = 0;
    DWORD count = 0;
    while (ReadConsoleA(in, &ch, 1, &count, nullptr)) {
      got += ch;
    }
    EXPECT_EQ(got, expected) << console;
  }
  SetUp();
  start("0 \\eW\\n\\k\n");
  INPUT_RECORD records[8];
  DWORD count = 0;
  ASSERT_TRUE(ReadConsoleInputA(in, records, 8, &count));
  std::string keys;  // each key-down's virtual key, scan code, character and control keys
  for (DWORD i = 0; i < count; i += 2) {
    const KEY_EVENT_RECORD& down = records[i].Event.KeyEvent;
    char text[32];
    std::snprintf(text, sizeof text, " %02x/%02x/%02x/%03lx", down.wVirtualKeyCode,
                  down.wVirtualScanCode, static_cast<unsigned char>(down.uChar.AsciiChar),
                  static_cast<unsigned long>(down.dwControlKeyState));
    keys += text + std::string(down.bKeyDown && !records[i + 1].Event.KeyEvent.bKeyDown ? "" : "!");
  }
  EXPECT_EQ(keys, " 1b/01/1b/000 57/11/57/010 0d/1c/0a/008 27/4d/00/100");
}

// What con_set_window relies on: a buffer never smaller than its window, which stays inside it.
TEST_F(ConsoleHostTest, TheBufferIsNeverSmallerThanTheWindowAndKeepsWhatFits) {
  ASSERT_TRUE(SetConsoleTextAttribute(out(), 0x2E));
  write("abc\ndef");
  const SMALL_RECT windows[] = {{0, 0, 80, 24}, {70, 20, 79, 24}, {0, 0, 0, 0}};
  EXPECT_FALSE(SetConsoleWindowInfo(out(), TRUE, &windows[0]));
  EXPECT_FALSE(SetConsoleScreenBufferSize(out(), {79, 25}));
  ASSERT_TRUE(SetConsoleWindowInfo(out(), TRUE, &windows[1]));
  ASSERT_TRUE(SetConsoleCursorPosition(out(), {75, 22}));
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {12, 6}));  // the cursor moves back inside
  EXPECT_EQ(shown(), "abc|def @11,5");
  ASSERT_TRUE(SetConsoleWindowInfo(out(), TRUE, &windows[2]));
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {2, 1}));
  ASSERT_TRUE(SetConsoleScreenBufferSize(out(), {3, 2}));
  EXPECT_EQ(shown(), "ab @1,0");
  // New cells are blank in the default colours.
  EXPECT_EQ(std::tie(host().cell(1, 0).attr, host().cell(2, 0).attr), std::make_tuple(0x2E, 0x07));
}

TEST_F(ConsoleHostTest, LinesComeAtTheirPausesOrWhenAReadWaitsAndReadsTakeThemAsTheModeSays) {
  constexpr DWORD kProcessed = ENABLE_PROCESSED_INPUT, kLine = ENABLE_LINE_INPUT,
                  kEcho = ENABLE_ECHO_INPUT;
  const struct {
    DWORD mode;
    const char* script;
    // S: Sleep(100), R: a read of up to 4 bytes, B: Ctrl+Break, X: the console closed, I: Ctrl+C
    // ignored, U: the taking handler removed.
    const char* actions;
    const char* log;  // then "|" and the rows echoed
  } cases[] = {
      // Comments, blank lines and CR skipped; escapes, and backslashes that start none.
      {kProcessed, "# go\n\n  \n0 \\\\\\s\\e\\n\\r\\t\\x41\\xe9\\x00\\k \\q\\x4g\xDB\\\r\n", "",
       "[\\{20}{1b}{0a}{0d}{09}A{e9}{00}{k}{20}\\q\\x4g{db}\\]"},
      // In order at their pauses, each told of before its lines come.
      {kProcessed, "2 a\n2 b\n3 c\n1 d\n", "SSS", "[] p1[] [] p2[] [ab] p3[ab] [abcd]"},
      {kProcessed, "9 \\k\n9 \n9 q\n1 r\n", "RSRRR",  // a read waits until a character or the end
       "[] w0[] =q [] p1[] [r] =r [] w1[] =- [] =- [] ended"},
      // The last handler is called first; Ctrl+C can be ignored, Ctrl+Break not; an event no
      // handler takes, or the console closed whatever they do, ends the process and its input.
      {kProcessed, "0 a\n1 \\x03\n", "BISUBR", "[a] ^1 [a] [a] p1[a] [a] [a] pass1 [] =- [] ended"},
      {kProcessed, "0 a\\x03z\n", "RRX", " ^0[az] =a [z] =z [] ^2 [] ended"},  // Ctrl+C: an event
      {kLine, "0 \\x03bc\\r\n", "RR", "[{03}bc{0d}] =\003bc\r [] =\n []"},     // unprocessed: a key
      // Enter ends a line as CR LF, a processed Backspace edits it.
      {kProcessed | kLine | kEcho, "0 \\x08ab\\x08c\\rd\\r\n", "RR",
       "[{08}ab{08}c{0d}d{0d}] =ac\r\n [d{0d}] =d\r\n []|ac|d"},
  };
  for (const auto& c : cases) {
    SetUp();
    g_log.clear();
    ASSERT_TRUE(SetConsoleCtrlHandler(handler<FALSE>, TRUE));
    ASSERT_TRUE(SetConsoleCtrlHandler(handler<TRUE>, TRUE));
    ASSERT_TRUE(SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), c.mode));
    start(c.script);
    note("");
    for (const char* action = c.actions; *action != '\0'; ++action) {
      char bytes[4];
      DWORD count = 0;
      if (*action == 'S') {
        Sleep(100);
      } else if (*action == 'R') {
        const bool read = ReadConsoleA(GetStdHandle(STD_INPUT_HANDLE), bytes, 4, &count, nullptr);
        g_log += " =" + (read ? std::string(bytes, count) : "-");
      } else if (*action == 'I' || *action == 'U') {
        ASSERT_TRUE(
            SetConsoleCtrlHandler(*action == 'I' ? nullptr : handler<TRUE>, *action == 'I'));
      } else {
        host().raise_control_event(*action == 'B' ? CTRL_BREAK_EVENT : CTRL_CLOSE_EVENT);
      }
      note(" ");
    }
    const std::string echoed = screen().rows();
    EXPECT_EQ(g_log + (host().input_ended() ? " ended" : "") + (echoed.empty() ? "" : "|" + echoed),
              c.log)
        << c.script << c.actions;
  }
}

// Many lines due at once reach a short queue a few keys at a time, in their order, as one long
// line does: the game looks through the whole queue for every key it takes.
TEST_F(ConsoleHostTest, AShortQueueTakesManyLinesDueAtOnceAFewKeysAtATime) {
  std::string script, expected;
  for (int line = 0; line < 1000; ++line) {
    const char key = "wasd"[line % 4];
    expected += key;
    script += std::string("0 ") + key + "\n";
  }
  start(script, true);
  EXPECT_LE(host().input_queue().size(), 128U);
  std::string keys;
  INPUT_RECORD record;
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  for (DWORD count = 0; GetNumberOfConsoleInputEvents(input, &count) && count != 0;) {
    ASSERT_TRUE(ReadConsoleInputA(input, &record, 1, &count));
    if (record.Event.KeyEvent.bKeyDown) {
      keys += record.Event.KeyEvent.uChar.AsciiChar;
    }
  }
  EXPECT_EQ(keys, expected);
}

}  // namespace
