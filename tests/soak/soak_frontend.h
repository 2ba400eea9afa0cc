// Random play on the headless console: a front end that presses random keys in the ticks of a
// round and answers the title, result and pause screens, checking the game at every pause.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "console_host.h"
#include "headless_frontend.h"
#include "input_script.h"
#include "play_checker.h"

// What one run of the game saw.
struct SoakTally {
  uint64_t ticks = 0;
  uint64_t games = 0;
  uint64_t rounds_completed = 0;
  uint64_t lives_lost = 0;
  uint64_t pauses_asked = 0;
  uint64_t screens_answered = 0;
  unsigned highest_round = 0;  // shown to the player as this + 1
};

class SoakFrontend final : public ConsoleFrontend {
 public:
  // Random play when plan is empty; otherwise the plan's keys as the headless front end delivers
  // them, with random keys added that the game ignores in a round (other letters, keys without a
  // character, a pause and its resume), so that the planned game goes on as planned. The run is
  // stopped after tick_budget ticks, or at the first broken rule.
  SoakFrontend(uint32_t seed, std::vector<ScriptLine> plan, uint64_t tick_budget);

  // Becomes the host's front end.
  void attach(ConsoleHost& host);

  // The first rule broken, with the pause it was found at; empty while all is well.
  const std::string& problem() const { return problem_; }
  const SoakTally& tally() const { return tally_; }

  void sleep(ConsoleHost& host, uint32_t milliseconds) override;
  void poll_input(ConsoleHost& host) override;
  bool wait_for_input(ConsoleHost& host) override;

 private:
  enum class Screen { kTitle, kRoundComplete, kGameOver, kPaused, kInvalidSelection, kUnknown };

  static Screen screen_shown(const ConsoleHost& host);
  void press_keys_in_tick(ConsoleHost& host);
  void answer(ConsoleHost& host, Screen screen);
  // Ends the run: no more keys but an Esc, which pauses a round so that it can end.
  void stop(ConsoleHost& host);
  // The chance, in percent, of an event.
  bool chance(double percent);
  uint8_t pick(const char* keys);
  void press(ConsoleHost& host, uint8_t key);

  bool planned_;
  HeadlessFrontend script_;
  std::mt19937 random_;
  uint64_t tick_budget_;
  PlayChecker checker_;
  SoakTally tally_;
  std::string problem_;
  bool stopping_ = false;
  // The first tick of a run begins a game, as does the first after a game over.
  bool game_over_before_ = true;
  uint8_t lives_before_ = 0;
  bool pause_asked_ = false;
  uint64_t waits_since_tick_ = 0;
};
