#include "tests/support/headless_session.h"

#include "console/console.h"
#include "game/game_main.h"
#include "game/game_window.h"
#include "platform/host/cp437.h"

std::string ScreenSnapshot::row(int y) const {
  std::string text;
  for (int x = 0; x < width(); ++x) {
    append_utf8(text, cell(x, y).ch);
  }
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

std::string ScreenSnapshot::rows() const {
  std::string text;
  for (int y = 0; y < height(); ++y) {
    text += row(y) + '|';
  }
  return text.erase(text.find_last_not_of('|') + 1);
}

void HeadlessSession::SetUp() {
  console_host().reset();
  reset_program_state();
  waits_.clear();
}

void HeadlessSession::start(const std::string& script, bool short_queue) {
  const InputScript parsed = parse_input_script(script);
  ASSERT_EQ(parsed.error_line, 0) << parsed.error;
  frontend_ = std::make_unique<HeadlessFrontend>(parsed.lines, this, short_queue);
  frontend_->attach(console_host());
}

void HeadlessSession::start_game_window(const std::string& script) {
  start(script);
  ASSERT_EQ(con_resolve(), 0);
  con_set_window(0, 0, kWindowColumns, kWindowRows);
  con_set_game_modes();
}
