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
#include "platform/headless/headless_frontend.h"

// The console as it stood at one moment.
struct ScreenSnapshot : ConsoleHost {
  // Row y as UTF-8 glyphs, trailing spaces dropped.
  std::string row(int y) const;
  // The rows up to the last with text, joined by '|'.
  std::string rows() const;
  int fg(int x, int y) const { return cell(x, y).attr & 0x0F; }
};

class HeadlessSession : public ::testing::Test, public HeadlessObserver {
 protected:
  void SetUp() override;
  void TearDown() override { console_host().reset(); }

  // Attaches a headless front end that delivers the given script, with a short queue or not.
  void start(const std::string& script = "", bool short_queue = false);
  // start, then the console layer's look-up, the game's window (kWindowColumns x kWindowRows)
  // and wrapping at the end of a row off, as the game's start-up makes them.
  void start_game_window(const std::string& script = "");

  static ConsoleHost& host() { return console_host(); }
  static ScreenSnapshot screen() { return {console_host()}; }
  // The screen at every wait for a key, in order.
  const std::vector<ScreenSnapshot>& waits() const { return waits_; }
  uint64_t pauses() const { return frontend_->pauses(); }

  void paused(ConsoleHost&, uint64_t) override {}
  void waiting(ConsoleHost& host, uint64_t) override { waits_.push_back({host}); }

 private:
  std::unique_ptr<HeadlessFrontend> frontend_;
  std::vector<ScreenSnapshot> waits_;
};
