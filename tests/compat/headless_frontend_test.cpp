#include "headless_frontend.h"

#include <string>

#include "console_fixture.h"

namespace {

// The characters of the key presses queued, '?' for one without.
std::string queued(const ConsoleHost& host) {
  std::string text;
  for (const ConsoleKey& key : host.input_queue()) {
    if (key.down) {
      text += key.has_char ? static_cast<char>(key.ch) : '?';
    }
  }
  return text;
}

// A log of a headless run: "[keys]" for what is queued at the start and after each pause,
// "p<pauses>[keys]" and "w<pauses>[keys]" for the pauses and waits the observer hears of,
// "=<char>" (or "=-1") for each read, "#<count>" for each count of pending events, and at the
// end "/<lines delivered>", with " ended" once the input has ended.
class LoggingObserver : public HeadlessObserver {
 public:
  std::string log;
  void paused(ConsoleHost& host, uint64_t pauses) override { note('p', pauses, host); }
  void waiting(ConsoleHost& host, uint64_t pauses) override { note('w', pauses, host); }

 private:
  void note(char what, uint64_t pauses, const ConsoleHost& host) {
    log += ' ' + (what + std::to_string(pauses)) + '[' + queued(host) + ']';
  }
};

using HeadlessFrontendTest = ConsoleTest;

TEST_F(HeadlessFrontendTest, DeliversScriptLinesAtTheirPausesAndWhenAReadWaits) {
  const struct {
    const char* script;
    const char* actions;  // S: Sleep(100), R: a read, C: a count of pending events
    const char* log;
  } cases[] = {
      {"0 ab\n0 c\n1 d\n", "", "[abc] /2"},
      // The observer hears of each pause before its lines are delivered.
      {"2 a\n2 b\n3 c\n", "SSS", "[] p1[] [] p2[] [ab] p3[ab] [abc] /3"},
      {"5 a\n1 b\n", "SSSSS", "[] p1[] [] p2[] [] p3[] [] p4[] [] p5[] [ab] /2"},
      {"0 x\n", "R", "[x] =x /1"},
      {"50 x\n60 y\n", "R", "[] w0[] =x /1"},
      {"9 \\k\n9 \n9 q\n9 r\n", "R", "[] w0[] =q /3"},
      {"1 a\n1 b\n", "RS", "[] w0[] =a p1[] [b] /2"},
      {"0 a\n", "RRR", "[a] =a w0[] =-1 =-1 /1 ended"},
      {"", "R", "[] w0[] =-1 /0 ended"},
      {"1 a\n", "C", "[] #0 /0"},
      {"0 \n5 s\n", "SSR", "[] p1[] [] p2[] [] w2[] =s /2"},
  };
  for (const auto& c : cases) {
    host().reset();
    ASSERT_TRUE(SetConsoleMode(in(), ENABLE_PROCESSED_INPUT));  // a character a read
    const InputScript script = parse_input_script(c.script);
    ASSERT_EQ(script.error_line, 0) << script.error;
    LoggingObserver observer;
    HeadlessFrontend frontend(script.lines, &observer);
    frontend.attach(host());
    std::string& log = observer.log;
    log += '[' + queued(host()) + ']';
    for (const char* action = c.actions; *action != '\0'; ++action) {
      if (*action == 'S') {
        Sleep(100);
        log += " [" + queued(host()) + ']';
      } else if (*action == 'R') {
        char ch = 0;
        DWORD read = 0;
        const bool ok = ReadConsoleA(in(), &ch, 1, &read, nullptr);
        log += " =" + (ok ? std::string(1, ch) : "-1");
      } else {
        DWORD count = 99;
        ASSERT_TRUE(GetNumberOfConsoleInputEvents(in(), &count));
        log += " #" + std::to_string(count);
      }
    }
    log +=
        " /" + std::to_string(frontend.lines_delivered()) + (host().input_ended() ? " ended" : "");
    EXPECT_EQ(log, c.log) << c.script << " with " << c.actions;
  }
}

TEST_F(HeadlessFrontendTest, EachByteIsAKeyPressAndItsRelease) {
  const InputScript script = parse_input_script("0 a\\k\n");
  HeadlessFrontend frontend(script.lines);
  frontend.attach(host());
  const std::deque<ConsoleKey>& keys = host().input_queue();
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_TRUE(keys[0].down && keys[0].has_char && keys[0].ch == 'a');
  EXPECT_TRUE(!keys[1].down && keys[1].has_char && keys[1].ch == 'a');
  EXPECT_TRUE(keys[2].down && !keys[2].has_char);
  EXPECT_TRUE(!keys[3].down && !keys[3].has_char);
}

}  // namespace
