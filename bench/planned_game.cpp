#include "planned_game.h"

#include "actors/random.h"
#include "autoplay_planner.h"
#include "game/round_tick.h"
#include "game/title_screen.h"

namespace {

uint8_t request_for(uint8_t key) {
  switch (key) {
    case 'w':
      return kTurnUp;
    case 'd':
      return kTurnRight;
    case 's':
      return kTurnDown;
    case 'a':
      return kTurnLeft;
    default:
      return 0;
  }
}

}  // namespace

PlannedGame plan_game(long ticks) {
  PlannedGame game;
  game.script = plan_game_script(UINT32_MAX, ticks);
  game.lines = parse_input_script(game.script).lines;
  game.requests.assign(static_cast<size_t>(ticks), 0);
  // Keys delivered after pause P are read by the tick that follows it, tick P (from 0); the
  // first line starts the game from the title screen.
  for (size_t index = 1; index < game.lines.size(); ++index) {
    const ScriptLine& line = game.lines[index];
    if (line.pause < game.requests.size() && line.keys.size() == 1) {
      const uint8_t request = request_for(line.keys[0].ch);
      if (request != 0) {
        game.requests[line.pause] = request;
      }
    }
  }
  return game;
}

PlannedReplay::PlannedReplay(const PlannedGame& game) : plan_(game) {
  restart();
}

void PlannedReplay::restart() {
  random_state = RandomState{};
  game_ = GameState{};
  reset_game(game_);
  round_setup(game_);
  next_tick_ = 0;
}

void PlannedReplay::tick() {
  place_bonus_item(game_);
  update_round(game_, plan_.requests[next_tick_]);
  count_tick(game_);
  ++next_tick_;
  if (game_.lives == 0 || next_tick_ == plan_.requests.size()) {
    restart();
  } else if (game_.pellets_left == 0) {
    ++game_.round;
    round_setup(game_);
  }
}
