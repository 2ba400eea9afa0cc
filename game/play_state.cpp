#include "game/play_state.h"

#include "console/console.h"
#include "game/flow.h"
#include "game/round_tick.h"
#include "render/board_renderer.h"
#include "render/colour_text.h"

namespace {

constexpr int kLivesLineRow = kFrameRow + 32;
constexpr unsigned kTickPause = 100;  // milliseconds
constexpr int kEscape = 27;

constexpr char kPauseLine[] =
    YELLOW "PAUSED " MAGENTA "[Esc]" YELLOW " resume " MAGENTA "[Q]" YELLOW " quit";

// The keys of one tick.
struct TickKeys {
  uint8_t turn_request;
  bool pause_requested;
};

// Reads every key waiting, without ever waiting for one: the last of w, d, s, a gives the turn,
// and Esc asks for a pause. Keys that give no character stay queued for the next read to pass.
TickKeys read_tick_keys() {
  TickKeys keys = {0, false};
  while (con_char_waiting() != 0) {
    switch (con_read_key()) {
      case 'w':
        keys.turn_request = kTurnUp;
        break;
      case 'd':
        keys.turn_request = kTurnRight;
        break;
      case 's':
        keys.turn_request = kTurnDown;
        break;
      case 'a':
        keys.turn_request = kTurnLeft;
        break;
      case kEscape:
        keys.pause_requested = true;
        break;
      default:
        break;
    }
  }
  return keys;
}

// Shows the pause over the lives line and waits for Esc (true, play on) or Q (false, quit).
bool pause_game() {
  con_set_cursor_pos(kFrameColumn, kLivesLineRow);
  write_colour_text(kPauseLine);
  for (;;) {
    const int key = con_read_key();
    if (key == kEscape) {
      return true;
    }
    if (key == 'q' || key == 'Q' || key == kInputEnded) {
      return false;
    }
  }
}

}  // namespace

int play_state(GameState& game) {
  round_setup(game);
  con_clear();
  con_set_cursor_shape(0);
  while (game.lives != 0 && game.pellets_left != 0) {
    con_set_cursor_pos(0, 0);
    place_bonus_item(game);
    const TickKeys keys = read_tick_keys();
    update_round(game, keys.turn_request);
    draw_board(kFrameColumn, kFrameRow, game);
    con_sleep(kTickPause);
    count_tick(game);
    const bool round_goes_on = game.lives != 0 && game.pellets_left != 0;
    if (keys.pause_requested && round_goes_on && !pause_game()) {
      return kFlowQuit;
    }
  }
  return game.lives == 0 ? kFlowGameOver : kFlowRoundComplete;
}
