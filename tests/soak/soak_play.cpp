#include "tests/soak/soak_play.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <utility>

#include "game/game_main.h"
#include "maze/board_queries.h"
#include "maze/cell_byte.h"
#include "platform/headless/game_trace.h"
#include "platform/headless/headless_frontend.h"
#include "platform/host/console_host.h"

namespace {

// In the key sets, \x01 stands for a key that gives no character (an arrow, a function key).
constexpr char kNoCharacter = 0x01;
// Waits in a row without a tick between them after which the game is taken to be stuck.
constexpr uint64_t kMostWaitsWithoutTick = 1000;
constexpr char kRefusedOnScreens[] = "xwadWAD0\r\x01";
constexpr char kAnyKey[] = "asdfqQ \x1B\r\x01";

// Random play's answer to the screen that shows the words: now and then quit, else now and then
// one of the other keys, else the key that goes on.
struct ScreenAnswer {
  const char* shows;
  double quit_percent, other_percent;
  const char *other_keys, *go_on_keys;
};
constexpr ScreenAnswer kScreenAnswers[] = {
    {"Invalid selection, press any key to try again!", 0, 100, kAnyKey, ""},
    {"PAUSED", 2, 10, "wasdxS 1\r\x01", "\x1B"},
    {" to begin, and ", 1, 5, kRefusedOnScreens, "sS"},
    {" to continue, or ", 1, 5, kRefusedOnScreens, " "},
    {" to return to title, or ", 1, 5, kRefusedOnScreens, " "},
    {"", 0, 100, kAnyKey, ""},
};

// House timers: 15 x i + 1 at round set-up, then counted down; 128 while returning home.
constexpr uint8_t kLongestHold = 60;

class SoakFrontend final : public ConsoleFrontend {
 public:
  SoakFrontend(SoakKeys keys, uint32_t seed, std::vector<ScriptLine> script, uint64_t budget,
               uint64_t& ticks, const ConsoleProfile& console)
      : keys_(keys),
        script_(std::move(script)),
        random_(seed),
        budget_(budget),
        ticks_(ticks),
        console_(console) {}

  std::string run() {
    ConsoleHost& host = console_host();
    host.reset(ConsoleHost::kDefaultWidth, ConsoleHost::kDefaultHeight, console_);
    reset_program_state();
    script_.attach(host);
    host.set_frontend(this);
    const int status = game_main(0, nullptr);
    host.set_frontend(nullptr);
    // The Esc is read by the next tick at the latest, and the pause after it ends the run.
    const bool given_back = host.width() == ConsoleHost::kDefaultWidth &&
                            host.height() == ConsoleHost::kDefaultHeight && host.cursor_visible() &&
                            host.input_mode() == console_.input_mode &&
                            host.output_mode() == console_.output_mode &&
                            host.code_page() == console_.code_page;
    return !problem_.empty() || (status == 0 && ticks_after_stop_ <= 1 && given_back)
               ? problem_
               : "the game ended with status " + std::to_string(status) + ", " +
                     std::to_string(ticks_after_stop_) + " ticks after the Esc, the console " +
                     (given_back ? "given back" : "not given back");
  }

  void sleep(ConsoleHost& host, uint32_t milliseconds) override {
    if (stopping_) {
      ++ticks_after_stop_;
      return;
    }
    const GameState& game = game_state;
    script_.sleep(host, milliseconds);
    ++ticks_;
    waits_since_tick_ = 0;
    const std::string problem = checker_.check(game);
    if (!problem.empty() || ticks_ >= budget_) {
      return stop(host, problem);
    }
    // Keys pressed as a round ends would answer the screen after it; the screens get their own.
    if (keys_ != SoakKeys::kRandom || game.lives == 0 || game.pellets_left == 0) {
      return;
    }
    // Now and then a key the game ignores; at random also up to two turns in one tick, of which
    // the last counts, and now and then a pause.
    const std::pair<double, const char*> presses[] = {
        {4, "WASDxyzqQ 1!\r\t\x01"}, {20, "wasd"}, {10, "wasd"}, {0.2, "\x1B"}};
    for (const auto& [percent, keys] : presses) {
      if (chance(percent)) {
        press_one_of(host, keys);
      }
    }
  }

  void poll_input(ConsoleHost& host) override { script_.poll_input(host); }

  bool wait_for_input(ConsoleHost& host) override {
    if (!stopping_ && keys_ == SoakKeys::kRandom && ++waits_since_tick_ > kMostWaitsWithoutTick) {
      stop(host, "the game waited for keys without a tick");
    }
    if (stopping_ || keys_ != SoakKeys::kRandom) {
      return !stopping_ && script_.wait_for_input(host);
    }
    std::string text;
    for (int cell = 0; cell < host.width() * host.height(); ++cell) {
      text += static_cast<char>(host.cell(cell % host.width(), cell / host.width()).ch);
    }
    const ScreenAnswer& screen = *std::ranges::find_if(kScreenAnswers, [&text](const auto& answer) {
      return text.find(answer.shows) != std::string::npos;
    });
    press_one_of(host, chance(screen.quit_percent)    ? "qQ"
                       : chance(screen.other_percent) ? screen.other_keys
                                                      : screen.go_on_keys);
    return true;
  }

 private:
  bool chance(double percent) {
    return std::uniform_real_distribution<double>(0.0, 100.0)(random_) < percent;
  }

  void press_one_of(ConsoleHost& host, const char* keys) {
    const char key = keys[std::uniform_int_distribution<size_t>(0, std::strlen(keys) - 1)(random_)];
    host.push_keystroke(key != kNoCharacter, key == kNoCharacter ? 0 : static_cast<uint8_t>(key));
  }

  // No more keys but an Esc, which pauses a round so that it can end.
  void stop(ConsoleHost& host, const std::string& problem) {
    problem_ = problem;
    stopping_ = true;
    host.push_keystroke(true, '\x1B');
    host.end_input();
  }

  SoakKeys keys_;
  HeadlessFrontend script_;
  std::mt19937 random_;
  uint64_t budget_;
  uint64_t& ticks_;
  const ConsoleProfile& console_;
  PlayChecker checker_;
  std::string problem_;
  bool stopping_ = false;
  uint64_t waits_since_tick_ = 0, ticks_after_stop_ = 0;
};

}  // namespace

std::string PlayChecker::check(const GameState& now) {
  const GameState last = std::exchange(last_, now);
  const bool seen = pauses_++ > 0;
  const auto on_board = [](const Actor& figure) {
    return figure.x < kBoardWidth && figure.y < kBoardHeight;
  };
  const auto timer_in_range = [](uint8_t timer) {
    return timer <= kLongestHold || timer == kHouseReturning;
  };
  const int pellets = count_cells(now.board, kFloor | kItemPellet, 0xCF) +
                      count_cells(now.board, kFloor | kItemPowerPellet, 0xCF);
  const bool board_changed = std::memcmp(now.board.cells, last.board.cells, kBoardCells) != 0;
  // After a game over (or at the first pause) comes the first tick of a new game; after a round
  // complete, the first tick of the next round; else the same round goes on.
  const bool new_game = last.lives == 0;
  const bool same_round = !new_game && last.pellets_left != 0;
  const bool eaten = now.pellets_left < last.pellets_left || now.score > last.score;
  const std::pair<bool, const char*> rules[] = {
      {now.pellets_left <= now.pellets_total, "more pellets left than the round had"},
      // With the last pause's count, this also holds the Board to change as a pellet is eaten.
      {pellets == now.pellets_left, "pellets on the Board differ from pellets left"},
      {on_board(now.player) && std::ranges::all_of(now.chasers, on_board), "figure off the Board"},
      {std::ranges::all_of(now.house_timers, timer_in_range), "a house timer out of its range"},
      {now.score <= now.next_life_at, "score past the next extra life"},
      {now.bonus_count <= 2, "more than two bonus items"},
      {now.mode_timer < 270, "mode timer past its cycle of 270 ticks"},
      {!seen || now.tick == static_cast<uint8_t>(last.tick + 1), "tick count not one up"},
      // A new game's first tick can eat at most a power pellet (5 tens).
      {!new_game ||
           (now.round == 0 && now.lives == 3 && now.next_life_at == 1000 && now.score <= 5),
       "a new game did not start afresh"},
      {new_game || now.round == static_cast<uint8_t>(last.round + !same_round),
       "round changed other than one up after a round complete"},
      {!same_round || (now.pellets_total == last.pellets_total &&
                       static_cast<unsigned>(last.pellets_left - now.pellets_left) <= 1),
       "pellets changed other than by one eaten"},
      {new_game || (now.score >= last.score && now.next_life_at >= last.next_life_at),
       "score or next extra life fell within a game"},
      {!same_round || now.bonus_count >= last.bonus_count, "bonus count fell within a round"},
      {!same_round || !board_changed || eaten || now.bonus_count > last.bonus_count,
       "the Board changed with nothing eaten and no bonus item placed"},
      // A count that wrapped past 0 or 255 breaks one of the two.
      {new_game || (now.lives + 1 >= last.lives &&
                    (now.lives <= last.lives || now.next_life_at > last.next_life_at)),
       "lives changed other than by a lost or an extra life"},
  };
  for (const auto& [kept, rule] : rules) {
    if (!kept) {
      return std::string(rule) + " (before: " + trace_json(last, pauses_ - 1) +
             "; now: " + trace_json(now, pauses_) + ")";
    }
  }
  return "";
}

std::string soak_run(SoakKeys keys, uint32_t seed, std::vector<ScriptLine> script,
                     uint64_t tick_budget, uint64_t& ticks, const ConsoleProfile& console) {
  return SoakFrontend(keys, seed, std::move(script), tick_budget, ticks, console).run();
}
