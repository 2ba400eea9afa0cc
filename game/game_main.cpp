#include "game/game_main.h"

#include "console/console.h"
#include "game/flow.h"
#include "game/game_state.h"
#include "game/play_state.h"
#include "game/result_screens.h"
#include "game/title_screen.h"

namespace {

constexpr int kWindowColumns = 55;
constexpr int kWindowRows = 33;
constexpr int kReadableFontWidth = 12;
constexpr int kRasterFontFlag = 0x8000;
constexpr int kRasterFontSize = 0x0C10;  // 12 x 16
constexpr int kVectorFontSize = 0x0B12;  // 11 x 18

// What the game changes in the console and hands back on the way out.
struct SavedConsole {
  int cursor_shape;
  int background;
  int foreground;
  int font_size;
};

void restore_console(const SavedConsole& saved) {
  con_set_cursor_shape(saved.cursor_shape);
  con_set_font_size(saved.font_size);
  con_set_fg(saved.foreground);
  con_set_bg(saved.background);
  con_set_window(-1, -1, -1, -1);
  con_restore_modes();
}

}  // namespace

int game_main(int /*argc*/, char** /*argv*/) {
  if (con_resolve() != 0) {
    return 1;
  }
  con_set_window(0, 0, kWindowColumns, kWindowRows);
  // Some rows of the result screens fill the window and end with a line feed: without wrapping
  // each takes one row.
  con_disable_wrap();
  con_set_title("Mazewick 1.0");
  SavedConsole saved;
  saved.cursor_shape = con_get_cursor_shape();
  saved.background = con_get_bg();
  saved.foreground = con_get_fg();
  saved.font_size = con_get_font_size();
  // A narrow font makes the board hard to read: widen it.
  if (((saved.font_size >> 8) & 0x7F) < kReadableFontWidth) {
    con_set_font_size((saved.font_size & kRasterFontFlag) != 0 ? kRasterFontSize : kVectorFontSize);
  }

  GameState& game = game_state;
  int flow = kFlowTitle;
  while (flow >= kFlowTitle && flow <= kFlowGameOver) {
    switch (flow) {
      case kFlowTitle:
        flow = show_title(game);
        break;
      case kFlowPlay:
        flow = play_state(game);
        break;
      case kFlowRoundComplete:
        con_set_cursor_shape(saved.cursor_shape);
        flow = show_round_complete(game);
        if (flow != kFlowQuit) {
          ++game.round;
        }
        break;
      case kFlowGameOver:
        con_set_cursor_shape(saved.cursor_shape);
        flow = show_game_over(game);
        break;
    }
  }
  restore_console(saved);
  return 0;
}
