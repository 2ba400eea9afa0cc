// Play on the headless console, checked at every pause: random play that answers the title,
// result and pause screens, or a script's keys, alone or with random keys added that the game
// ignores in a round (other letters, keys without a character, a pause and its resume).
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "console_host.h"
#include "game/game_state.h"
#include "headless_frontend.h"
#include "input_script.h"

// Checks that each pause follows sanely from the one before, by the rules that check() lists.
class PlayChecker {
 public:
  // The game at the next pause (drawn, not yet counted): empty, or the rule broken and both traces.
  std::string check(const GameState& state);

 private:
  uint64_t pauses_ = 0;
  GameState last_{};
};

struct SoakTally {
  uint64_t ticks = 0, games = 0, rounds_completed = 0, lives_lost = 0;
  uint64_t pauses_asked = 0, screens_answered = 0, ticks_after_stop = 0;
  unsigned highest_round = 0;  // shown to the player as this + 1
};

enum class SoakKeys { kRandom, kPlanAndIgnored, kPlanAlone };

class SoakFrontend final : public ConsoleFrontend {
 public:
  // Counts into the tally, and stops the run once it holds tick_budget ticks or at the first
  // broken rule: no more keys but an Esc, which pauses a round so that it can end.
  SoakFrontend(SoakKeys keys, uint32_t seed, std::vector<ScriptLine> plan, uint64_t tick_budget,
               SoakTally& tally)
      : keys_(keys), script_(std::move(plan)), random_(seed), budget_(tick_budget), tally_(tally) {}

  // One run of the game as a new process on a fresh 80 x 25 console: empty, else the first rule
  // broken with its pause, or a failing exit status.
  std::string run();

  void sleep(ConsoleHost& host, uint32_t milliseconds) override;
  void poll_input(ConsoleHost& host) override { script_.poll_input(host); }
  bool wait_for_input(ConsoleHost& host) override;

 private:
  bool chance(double percent);
  void press_one_of(ConsoleHost& host, const char* keys);
  void stop(ConsoleHost& host, const std::string& problem);

  SoakKeys keys_;
  HeadlessFrontend script_;
  std::mt19937 random_;
  uint64_t budget_;
  SoakTally& tally_;
  PlayChecker checker_;
  std::string problem_;
  bool stopping_ = false;
  uint8_t lives_before_ = 0;  // 0 before a run's first tick, which begins a game
  bool pause_asked_ = false;
  uint64_t waits_since_tick_ = 0;
};
