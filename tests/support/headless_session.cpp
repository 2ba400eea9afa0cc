#include "headless_session.h"

#include "console/console.h"
#include "cp437.h"
#include "game/game_main.h"

std::string ScreenSnapshot::row(int y) const {
  std::string text;
  for (int x = 0; x < width; ++x) {
    append_utf8(text, cp437_to_unicode(cell(x, y).ch));
  }
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

std::string ScreenSnapshot::rows() const {
  std::string text;
  for (int y = 0; y < height; ++y) {
    text += row(y) + '|';
  }
  return text.erase(text.find_last_not_of('|') + 1);
}

ScreenSnapshot take_snapshot(const ConsoleHost& host) {
  ScreenSnapshot shot(host.width(), host.height(), host.window_right() - host.window_left() + 1,
                      host.window_bottom() - host.window_top() + 1, host.output_mode(),
                      std::vector<ConsoleCell>(), host.cursor_x(), host.cursor_y(),
                      host.cursor_visible(), host.font_width(), host.font_height(), host.title());
  for (int i = 0; i < host.width() * host.height(); ++i) {
    shot.cells.push_back(host.cell(i % host.width(), i / host.width()));
  }
  return shot;
}

void expect_row(const ScreenSnapshot& screen, int y, const std::vector<Piece>& pieces, int x) {
  std::string text(static_cast<size_t>(x), ' ');
  for (const Piece& piece : pieces) {
    for (size_t i = 0; i < piece.text.size(); ++i, ++x) {
      EXPECT_EQ(screen.fg(x, y), piece.colour) << "row " << y << " column " << x;
      EXPECT_EQ(screen.bg(x, y), 0) << "row " << y << " column " << x;
    }
    text += piece.text;
  }
  EXPECT_EQ(screen.row(y), text.substr(0, text.find_last_not_of(' ') + 1));
}

void HeadlessSession::SetUp() {
  console_host().reset();
  reset_program_state();
  waits_.clear();
}

void HeadlessSession::start(const std::string& script) {
  const InputScript parsed = parse_input_script(script);
  ASSERT_EQ(parsed.error_line, 0) << parsed.error;
  frontend_ = std::make_unique<HeadlessFrontend>(parsed.lines, this);
  frontend_->attach(console_host());
}

void HeadlessSession::start_resolved(const std::string& script) {
  start(script);
  ASSERT_EQ(con_resolve(), 0);
}

void HeadlessSession::start_game_window(const std::string& script) {
  start_resolved(script);
  con_set_window(0, 0, 55, 33);
  con_disable_wrap();
}
