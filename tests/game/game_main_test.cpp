// The game's start-up and way out, on the headless console host.
#include "game/game_main.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "headless_session.h"

namespace {

// What the game changes in the console and must hand back.
struct ConsoleState {
  int width, height, window_left, window_top, window_right, window_bottom;
  int cursor_size;
  bool cursor_visible;
  int font_width, font_height;
  uint16_t attribute;
  uint32_t output_mode;
  bool operator==(const ConsoleState&) const = default;
};

void PrintTo(const ConsoleState& s, std::ostream* out) {
  *out << "buffer " << s.width << "x" << s.height << " window " << s.window_left << ","
       << s.window_top << "-" << s.window_right << "," << s.window_bottom << " cursor "
       << s.cursor_size << (s.cursor_visible ? " shown" : " hidden") << " font " << s.font_width
       << "x" << s.font_height << " attribute " << s.attribute << " output mode " << s.output_mode;
}

ConsoleState console_state() {
  const ConsoleHost& host = console_host();
  return {host.width(),        host.height(),        host.window_left(), host.window_top(),
          host.window_right(), host.window_bottom(), host.cursor_size(), host.cursor_visible(),
          host.font_width(),   host.font_height(),   host.attribute(),   host.output_mode()};
}

class GameMainTest : public HeadlessSession {
 protected:
  void SetUp() override {
    HeadlessSession::SetUp();
    set_up_console(80, 25);
  }
  // A console set up as a user might have it: a tall cursor, yellow on blue.
  static void set_up_console(int width, int height) {
    host().reset(width, height);
    host().set_cursor_info(50, true);
    host().set_text_attribute(0x1E);
  }
  static int run() { return game_main(0, nullptr); }
};

TEST_F(GameMainTest, WithoutAConsoleTheGameEndsAtOnceWithStatusOne) {
  start("1 q\n");
  host().set_available(false);
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(host().width(), 80);
  EXPECT_EQ(host().height(), 25);
  EXPECT_EQ(host().title(), "");
  EXPECT_EQ(screen().row(0), "");
  EXPECT_EQ(host().attribute(), 0x1E);
}

// From a console wider and lower than the game's window, and from one larger in both that
// also takes escape sequences; the game turns wrapping at the end of a row off.
TEST_F(GameMainTest, TheGameRunsIn55By33WithoutWrapAndQuittingPutsTheConsoleBack) {
  constexpr DWORD kVirtualTerminal = 0x4;
  const struct {
    int width;
    int height;
    DWORD output_mode;
    const char* key;
  } cases[] = {
      {80, 25, ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT, "q"},
      {120, 40, ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT | kVirtualTerminal, "Q"}};
  for (const auto& c : cases) {
    SetUp();
    set_up_console(c.width, c.height);
    host().set_output_mode(c.output_mode);
    const ConsoleState found = console_state();
    start(std::string("1 ") + c.key + "\n");
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(waits().size(), 1u);
    EXPECT_EQ(waits()[0].width, 55);
    EXPECT_EQ(waits()[0].height, 33);
    EXPECT_EQ(waits()[0].window_width, 55);
    EXPECT_EQ(waits()[0].window_height, 33);
    EXPECT_EQ(waits()[0].output_mode, c.output_mode & ~ENABLE_WRAP_AT_EOL_OUTPUT);
    EXPECT_EQ(console_state(), found);
    // The last screen stays.
    EXPECT_EQ(screen().row(0), "         ▄▄████████▄▄");
  }
}

TEST_F(GameMainTest, EndOfInputOnTheTitleQuits) {
  start("");
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(host().width(), 80);
  EXPECT_EQ(host().cursor_size(), 50);
}

// The console as the game's control handler left it, noted by a handler registered before the
// game's, which the console calls after it.
ConsoleState g_console_at_event;
uint32_t g_input_mode_at_event;

BOOL WINAPI note_console(DWORD /*event*/) {
  g_console_at_event = console_state();
  g_input_mode_at_event = console_host().input_mode();
  return FALSE;
}

class ControlEventTest : public GameMainTest {
 protected:
  void paused(ConsoleHost& host, uint64_t pauses) override {
    if (pauses == event_pause) {
      process_went_on = host.raise_control_event(event);
    }
  }
  uint64_t event_pause = 0;
  DWORD event = CTRL_C_EVENT;
  bool process_went_on = false;
};

TEST_F(ControlEventTest, CtrlCCtrlBreakAndClosingPutTheConsoleBackBeforeTheProcessEnds) {
  const struct {
    const char* name;
    const char* script;
    uint64_t event_pause;
    DWORD event;
  } cases[] = {
      {"Ctrl+C while the title screen reads a key", "1 \\x03\n", 0, CTRL_C_EVENT},
      {"Ctrl+C in a round", "0 s\n5 \\x03\n", 0, CTRL_C_EVENT},
      {"Ctrl+Break in a round", "0 s\n", 5, CTRL_BREAK_EVENT},
      {"closing the console in a round", "0 s\n", 5, CTRL_CLOSE_EVENT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    const ConsoleState found = console_state();
    g_console_at_event = {};
    g_input_mode_at_event = 0;
    ASSERT_TRUE(SetConsoleCtrlHandler(note_console, TRUE));
    event_pause = c.event_pause;
    event = c.event;
    start(c.script);
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(g_console_at_event, found);
    EXPECT_EQ(g_input_mode_at_event, 0x7u);
    EXPECT_FALSE(process_went_on);
  }
}

struct FontCase {
  int width;
  int height;
  unsigned family;
  int expected_width;
  int expected_height;
};

class FontRuleTest : public GameMainTest, public ::testing::WithParamInterface<FontCase> {};

TEST_P(FontRuleTest, StartUpSizesTitlesAndWidensNarrowFontsForTheGameAndRestoresThemAfter) {
  const FontCase& font = GetParam();
  host().set_font(font.width, font.height, font.family);
  start("1 q\n");
  EXPECT_EQ(run(), 0);
  ASSERT_EQ(waits().size(), 1u);
  EXPECT_EQ(waits()[0].width, 55);
  EXPECT_EQ(waits()[0].height, 33);
  EXPECT_EQ(waits()[0].title, "Mazewick 1.0");
  EXPECT_EQ(waits()[0].font_width, font.expected_width);
  EXPECT_EQ(waits()[0].font_height, font.expected_height);
  EXPECT_EQ(host().font_width(), font.width);
  EXPECT_EQ(host().font_height(), font.height);
  EXPECT_EQ(host().font_family(), font.family);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, FontRuleTest,
    ::testing::Values(FontCase{8, 16, 0x30, 12, 16}, FontCase{11, 16, 0x30, 12, 16},
                      FontCase{11, 16, TMPF_TRUETYPE, 11, 18}, FontCase{8, 12, TMPF_VECTOR, 11, 18},
                      FontCase{12, 16, 0x30, 12, 16}, FontCase{12, 20, TMPF_TRUETYPE, 12, 20}));

}  // namespace
