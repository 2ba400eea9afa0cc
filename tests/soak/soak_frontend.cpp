#include "soak_frontend.h"

#include <utility>

#include "game/game_state.h"

namespace {

constexpr uint8_t kEscape = 0x1B;
// Stands for a key that gives no character (an arrow, a function key) in the key sets below.
constexpr uint8_t kNoCharacter = 0;
// Waits in a row without a tick between them after which the game is taken to be stuck.
constexpr uint64_t kMostWaitsWithoutTick = 1000;

constexpr char kSteeringKeys[] = "wasd";
// Keys a round reads and ignores; \x01 becomes a key without a character.
constexpr char kIgnoredInRound[] = "WASDxyzqQ 1!\r\t\x01";
// Keys the pause reads and ignores.
constexpr char kIgnoredWhilePaused[] = "wasdxS 1\r\x01";
// Keys the title screen and the result screens refuse.
constexpr char kRefusedOnScreens[] = "xwadWAD0\r\x01";
constexpr char kAnyKey[] = "asdfqQ \x1B\r\x01";

// The rows of the screen as one text, bytes as they are.
std::string screen_text(const ConsoleHost& host) {
  std::string text;
  for (int y = 0; y < host.height(); ++y) {
    for (int x = 0; x < host.width(); ++x) {
      text += static_cast<char>(host.cell(x, y).ch);
    }
    text += '\n';
  }
  return text;
}

}  // namespace

SoakFrontend::SoakFrontend(uint32_t seed, std::vector<ScriptLine> plan, uint64_t tick_budget)
    : planned_(!plan.empty()), script_(std::move(plan)), random_(seed), tick_budget_(tick_budget) {}

void SoakFrontend::attach(ConsoleHost& host) {
  script_.attach(host);
  host.set_frontend(this);
}

bool SoakFrontend::chance(double percent) {
  return std::uniform_real_distribution<double>(0.0, 100.0)(random_) < percent;
}

uint8_t SoakFrontend::pick(const char* keys) {
  size_t count = 0;
  while (keys[count] != '\0') {
    ++count;
  }
  const size_t index = std::uniform_int_distribution<size_t>(0, count - 1)(random_);
  const auto key = static_cast<uint8_t>(keys[index]);
  return key == 0x01 ? kNoCharacter : key;
}

void SoakFrontend::press(ConsoleHost& host, uint8_t key) {
  host.push_keystroke(key != kNoCharacter, key);
}

void SoakFrontend::stop(ConsoleHost& host) {
  stopping_ = true;
  press(host, kEscape);
  host.end_input();
}

void SoakFrontend::sleep(ConsoleHost& host, uint32_t milliseconds) {
  if (stopping_) {
    return;
  }
  const GameState& game = game_state;
  const bool round_goes_on = game.lives != 0 && game.pellets_left != 0;
  // The Esc pressed in the last tick pauses the game after this one; its resume goes first, so
  // that the planned keys due now reach the next tick and not the pause.
  if (planned_ && pause_asked_ && round_goes_on) {
    press(host, kEscape);
  }
  pause_asked_ = false;
  script_.sleep(host, milliseconds);
  ++tally_.ticks;
  waits_since_tick_ = 0;

  const std::string problem = checker_.check(game);
  if (!problem.empty()) {
    problem_ = "pause " + std::to_string(tally_.ticks) + ": " + problem;
    stop(host);
    return;
  }
  if (game_over_before_) {
    ++tally_.games;
  } else if (game.lives < lives_before_) {
    ++tally_.lives_lost;
  }
  game_over_before_ = game.lives == 0;
  lives_before_ = game.lives;
  if (game.lives != 0 && game.pellets_left == 0) {
    ++tally_.rounds_completed;
  }
  if (game.round > tally_.highest_round) {
    tally_.highest_round = game.round;
  }
  if (tally_.ticks >= tick_budget_) {
    stop(host);
    return;
  }
  // Keys pressed as a round ends would answer the screen after it; the screens get their own.
  if (round_goes_on) {
    press_keys_in_tick(host);
  }
}

void SoakFrontend::press_keys_in_tick(ConsoleHost& host) {
  if (!planned_ && chance(20)) {
    press(host, pick(kSteeringKeys));
    if (chance(10)) {
      // Two turns in one tick: the last one counts.
      press(host, pick(kSteeringKeys));
    }
  }
  if (chance(4)) {
    press(host, pick(kIgnoredInRound));
  }
  if (chance(0.2)) {
    press(host, kEscape);
    pause_asked_ = true;
    ++tally_.pauses_asked;
  }
}

void SoakFrontend::poll_input(ConsoleHost& host) {
  script_.poll_input(host);
}

SoakFrontend::Screen SoakFrontend::screen_shown(const ConsoleHost& host) {
  const std::string text = screen_text(host);
  const auto shows = [&text](const char* words) { return text.find(words) != std::string::npos; };
  if (shows("Invalid selection, press any key to try again!")) {
    return Screen::kInvalidSelection;
  }
  if (shows("PAUSED")) {
    return Screen::kPaused;
  }
  if (shows(" to begin, and ")) {
    return Screen::kTitle;
  }
  if (shows(" to continue, or ")) {
    return Screen::kRoundComplete;
  }
  if (shows(" to return to title, or ")) {
    return Screen::kGameOver;
  }
  return Screen::kUnknown;
}

bool SoakFrontend::wait_for_input(ConsoleHost& host) {
  if (stopping_) {
    return false;
  }
  if (++waits_since_tick_ > kMostWaitsWithoutTick) {
    problem_ = "the game waited " + std::to_string(kMostWaitsWithoutTick) +
               " times for a key without a tick";
    host.end_input();
    return false;
  }
  if (planned_) {
    return script_.wait_for_input(host);
  }
  answer(host, screen_shown(host));
  return true;
}

void SoakFrontend::answer(ConsoleHost& host, Screen screen) {
  ++tally_.screens_answered;
  switch (screen) {
    case Screen::kTitle:
      if (chance(1)) {
        press(host, pick("qQ"));
      } else if (chance(5)) {
        press(host, pick(kRefusedOnScreens));
      } else {
        press(host, pick("sS"));
      }
      break;
    case Screen::kRoundComplete:
    case Screen::kGameOver:
      if (chance(1)) {
        press(host, pick("qQ"));
      } else if (chance(5)) {
        press(host, pick(kRefusedOnScreens));
      } else {
        press(host, ' ');
      }
      break;
    case Screen::kPaused:
      if (chance(2)) {
        press(host, pick("qQ"));
      } else if (chance(10)) {
        press(host, pick(kIgnoredWhilePaused));
      } else {
        press(host, kEscape);
      }
      break;
    case Screen::kInvalidSelection:
    case Screen::kUnknown:
      press(host, pick(kAnyKey));
      break;
  }
}
