// A fresh headless console for each test: the console host and the whole program's state reset,
// keys from an input script, and the screen kept at every wait for a key.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "console/palette.h"
#include "game/game_state.h"
#include "headless_frontend.h"

// The screen as it stood at one moment.
struct ScreenSnapshot {
  int width = 0, height = 0, window_width = 0, window_height = 0;
  uint32_t output_mode = 0;
  std::vector<ConsoleCell> cells;
  int cursor_x = 0, cursor_y = 0;
  bool cursor_visible = false;
  int font_width = 0, font_height = 0;
  std::string title;

  const ConsoleCell& cell(int x, int y) const { return cells[static_cast<size_t>(y * width + x)]; }
  // Row y as UTF-8 glyphs, trailing spaces dropped.
  std::string row(int y) const;
  // The rows up to the last with text, joined by '|'.
  std::string rows() const;
  int fg(int x, int y) const { return cell(x, y).attr & 0x0F; }
  int bg(int x, int y) const { return (cell(x, y).attr >> 4) & 0x0F; }
};

ScreenSnapshot take_snapshot(const ConsoleHost& host);

// A piece of a row and its colour.
struct Piece {
  std::string text;
  int colour;
};

// Row y from column x on holds the pieces, each character in its colour on black, and nothing
// after them.
void expect_row(const ScreenSnapshot& screen, int y, const std::vector<Piece>& pieces, int x = 0);

class HeadlessSession : public ::testing::Test, public HeadlessObserver {
 protected:
  void SetUp() override;
  void TearDown() override { console_host().reset(); }

  // Attaches a headless front end that delivers the given script.
  void start(const std::string& script = "");
  // start, then the console layer's look-up, as the game's start-up makes it.
  void start_resolved(const std::string& script = "");
  // start_resolved, then the console sized to the game's window (kWindowColumns x kWindowRows)
  // and wrapping at the end of a row off, as the game's start-up does.
  void start_game_window(const std::string& script = "");

  static ConsoleHost& host() { return console_host(); }
  static ScreenSnapshot screen() { return take_snapshot(console_host()); }
  // The screen at every wait for a key, in order.
  const std::vector<ScreenSnapshot>& waits() const { return waits_; }
  uint64_t pauses() const { return frontend_->pauses(); }

  void paused(ConsoleHost&, uint64_t) override {}
  void waiting(ConsoleHost& host, uint64_t) override { waits_.push_back(take_snapshot(host)); }

 private:
  std::unique_ptr<HeadlessFrontend> frontend_;
  std::vector<ScreenSnapshot> waits_;
};
