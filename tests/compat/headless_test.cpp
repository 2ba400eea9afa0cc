// Input scripts and their delivery by the headless front end.
#include <cstdio>
#include <string>

#include "headless_session.h"

namespace {

TEST(InputScriptTest, MalformedLinesAndStrayBackslashesAreFoundByTheirLineNumbers) {
  const struct {
    const char* script;
    int error_line, stray_backslash_line;
  } cases[] = {{"0 s\nx a\n", 2, 0},  {"# c\n\n5\n", 3, 0}, {"5\tq\n", 1, 0},
               {" 5 q\n", 1, 0},      {"-1 q\n", 1, 0},     {"12a q\n", 1, 0},
               {"0 a\n1 \\x4", 0, 2}, {"0 \\q\\\\\n", 0, 1}};
  for (const auto& c : cases) {
    const InputScript script = parse_input_script(c.script);
    EXPECT_EQ(script.error_line, c.error_line) << c.script;
    EXPECT_EQ(script.error.empty(), c.error_line == 0) << c.script;
    EXPECT_EQ(script.stray_backslash_line, c.stray_backslash_line) << c.script;
  }
  EXPECT_EQ(parse_input_script("99999999999999999999999 a").lines[0].pause, UINT64_MAX);
}

// A log of a headless run: the key presses queued at the start and after each action, "p" and
// "w" with the pause count for each pause and wait the front end tells of, "=" for each read,
// "#" for each count of pending events, and " ended" once the input has ended.
class DeliveryTest : public HeadlessSession {
 protected:
  void paused(ConsoleHost&, uint64_t pauses) override { note(" p" + std::to_string(pauses)); }
  void waiting(ConsoleHost&, uint64_t pauses) override { note(" w" + std::to_string(pauses)); }
  void note(const std::string& what) {
    log += what + "[";
    for (const ConsoleKey& key : host().input_queue()) {
      char text[8];
      std::snprintf(text, sizeof text, key.ch > 0x20 && key.ch < 0x7F ? "%c" : "{%02x}", key.ch);
      log += !key.down ? "" : key.has_char ? text : "{k}";
    }
    log += "]";
  }
  std::string log;
};

TEST_F(DeliveryTest, LinesComeAtTheirPausesInOrderOrWhenAReadFindsNoCharacter) {
  const struct {
    const char* script;
    const char* actions;  // S: Sleep(100), R: a read, C: a count of pending events
    const char* log;
  } cases[] = {
      // Comments, blank lines and CR skipped; escapes, and backslashes that start none.
      {"# go\n\n  \n0 \\\\\\s\\e\\n\\r\\t\\x41\\xe9\\x00\\k \\q\\x4g\xDB\\\r\n", "",
       "[\\{20}{1b}{0a}{0d}{09}A{e9}{00}{k}{20}\\q\\x4g{db}\\]"},
      {"2 a\n2 b\n3 c\n", "SSS", "[] p1[] [] p2[] [ab] p3[ab] [abc]"},  // told before delivery
      {"5 a\n1 b\n", "SSSSS", "[] p1[] [] p2[] [] p3[] [] p4[] [] p5[] [ab]"},  // held back
      {"50 x\n60 y\n", "R", "[] w0[] =x []"},
      {"9 \\k\n9 \n9 q\n9 r\n", "R", "[] w0[] =q []"},  // lines until one gives a character
      {"1 a\n1 b\n", "RS", "[] w0[] =a [] p1[] [b]"},
      {"0 a\n", "RRR", "[a] =a [] w0[] =- [] =- [] ended"},
      {"1 a\n", "C", "[] #0 []"},  // a count looks without waiting
  };
  for (const auto& c : cases) {
    SetUp();
    log.clear();
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    ASSERT_TRUE(SetConsoleMode(input, ENABLE_PROCESSED_INPUT));
    start(c.script);
    note("");
    for (const char* action = c.actions; *action != '\0'; ++action) {
      char ch = '-';
      DWORD count = 0;
      if (*action == 'S') {
        Sleep(100);
      } else if (*action == 'R') {
        log += std::string(" =") + (ReadConsoleA(input, &ch, 1, &count, nullptr) ? ch : '-');
      } else if (GetNumberOfConsoleInputEvents(input, &count)) {
        log += " #" + std::to_string(count);
      }
      note(" ");
    }
    EXPECT_EQ(log + (host().input_ended() ? " ended" : ""), c.log) << c.script << c.actions;
  }
}

}  // namespace
