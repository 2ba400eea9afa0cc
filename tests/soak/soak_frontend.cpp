#include "soak_frontend.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "game/game_main.h"
#include "game/game_state.h"

namespace {

constexpr char kEscape = 0x1B;
// In the key sets, \x01 stands for a key that gives no character (an arrow, a function key).
constexpr char kNoCharacter = 0x01;
// Waits in a row without a tick between them after which the game is taken to be stuck.
constexpr uint64_t kMostWaitsWithoutTick = 1000;

// Keys a round reads and ignores.
constexpr char kIgnoredInRound[] = "WASDxyzqQ 1!\r\t\x01";
// Keys the title screen and the result screens refuse.
constexpr char kRefusedOnScreens[] = "xwadWAD0\r\x01";
constexpr char kAnyKey[] = "asdfqQ \x1B\r\x01";

// Random play's answer to the screen that shows the words: quit now and then, else now and then
// one of the other keys, else the key that goes on.
struct ScreenAnswer {
  const char* shows;
  double quit_percent;
  double other_percent;
  const char* other_keys;
  const char* go_on_keys;
};

constexpr ScreenAnswer kScreenAnswers[] = {
    {"Invalid selection, press any key to try again!", 0, 100, kAnyKey, ""},
    {"PAUSED", 2, 10, "wasdxS 1\r\x01", "\x1B"},
    {" to begin, and ", 1, 5, kRefusedOnScreens, "sS"},
    {" to continue, or ", 1, 5, kRefusedOnScreens, " "},
    {" to return to title, or ", 1, 5, kRefusedOnScreens, " "},
    {"", 0, 100, kAnyKey, ""},
};

}  // namespace

SoakFrontend::SoakFrontend(SoakKeys keys, uint32_t seed, std::vector<ScriptLine> plan,
                           uint64_t tick_budget)
    : keys_(keys), script_(std::move(plan)), random_(seed), tick_budget_(tick_budget) {}

void SoakFrontend::run() {
  ConsoleHost& host = console_host();
  host.reset();
  reset_program_state();
  script_.attach(host);
  host.set_frontend(this);
  const int status = game_main(0, nullptr);
  host.set_frontend(nullptr);
  if (problem_.empty() && status != 0) {
    problem_ = "the game ended with status " + std::to_string(status);
  }
}

bool SoakFrontend::chance(double percent) {
  return std::uniform_real_distribution<double>(0.0, 100.0)(random_) < percent;
}

void SoakFrontend::press_one_of(ConsoleHost& host, const char* keys) {
  const size_t last = std::strlen(keys) - 1;
  const char key = keys[std::uniform_int_distribution<size_t>(0, last)(random_)];
  host.push_keystroke(key != kNoCharacter, key == kNoCharacter ? 0 : static_cast<uint8_t>(key));
}

void SoakFrontend::stop(ConsoleHost& host) {
  stopping_ = true;
  host.push_keystroke(true, kEscape);
  host.end_input();
}

void SoakFrontend::sleep(ConsoleHost& host, uint32_t milliseconds) {
  if (stopping_) {
    ++tally_.ticks_after_stop;
    return;
  }
  const GameState& game = game_state;
  const bool round_goes_on = game.lives != 0 && game.pellets_left != 0;
  // The Esc pressed in the last tick pauses the game after this one; its resume goes first, so
  // that the planned keys due now reach the next tick and not the pause.
  if (pause_asked_ && round_goes_on) {
    host.push_keystroke(true, kEscape);
  }
  pause_asked_ = false;
  script_.sleep(host, milliseconds);
  ++tally_.ticks;
  waits_since_tick_ = 0;

  const std::string problem = checker_.check(game);
  if (!problem.empty()) {
    problem_ = "pause " + std::to_string(tally_.ticks) + ": " + problem;
    return stop(host);
  }
  tally_.games += lives_before_ == 0;
  tally_.lives_lost += lives_before_ != 0 && game.lives < lives_before_;
  tally_.rounds_completed += game.lives != 0 && game.pellets_left == 0;
  tally_.highest_round = std::max<unsigned>(tally_.highest_round, game.round);
  lives_before_ = game.lives;
  if (tally_.ticks >= tick_budget_) {
    return stop(host);
  }
  // Keys pressed as a round ends would answer the screen after it; the screens get their own.
  if (round_goes_on && keys_ != SoakKeys::kPlanAlone) {
    press_keys_in_tick(host);
  }
}

void SoakFrontend::press_keys_in_tick(ConsoleHost& host) {
  if (keys_ == SoakKeys::kRandom && chance(20)) {
    press_one_of(host, "wasd");
    if (chance(10)) {
      // Two turns in one tick: the last one counts.
      press_one_of(host, "wasd");
    }
  }
  if (chance(4)) {
    press_one_of(host, kIgnoredInRound);
  }
  if (chance(0.2)) {
    host.push_keystroke(true, kEscape);
    pause_asked_ = keys_ != SoakKeys::kRandom;
    ++tally_.pauses_asked;
  }
}

bool SoakFrontend::wait_for_input(ConsoleHost& host) {
  if (stopping_) {
    return false;
  }
  if (keys_ != SoakKeys::kPlanAlone && ++waits_since_tick_ > kMostWaitsWithoutTick) {
    problem_ = "the game waited " + std::to_string(kMostWaitsWithoutTick) +
               " times for a key without a tick";
    host.end_input();
    return false;
  }
  if (keys_ != SoakKeys::kRandom) {
    return script_.wait_for_input(host);
  }
  answer_screen(host);
  return true;
}

void SoakFrontend::answer_screen(ConsoleHost& host) {
  ++tally_.screens_answered;
  std::string text;
  for (int y = 0; y < host.height(); ++y) {
    for (int x = 0; x < host.width(); ++x) {
      text += static_cast<char>(host.cell(x, y).ch);
    }
    text += '\n';
  }
  for (const ScreenAnswer& screen : kScreenAnswers) {
    if (text.find(screen.shows) != std::string::npos) {
      if (chance(screen.quit_percent)) {
        press_one_of(host, "qQ");
      } else if (chance(screen.other_percent)) {
        press_one_of(host, screen.other_keys);
      } else {
        press_one_of(host, screen.go_on_keys);
      }
      return;
    }
  }
}
