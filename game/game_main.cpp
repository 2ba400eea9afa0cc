#include "game/game_main.h"

#include <windows.h>

#include "actors/random.h"
#include "console/console.h"
#include "console/console_layer_state.h"
#include "game/flow.h"
#include "game/game_state.h"
#include "game/game_window.h"
#include "game/play_state.h"
#include "game/result_screens.h"
#include "game/title_screen.h"

namespace {

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

// In static storage, so that the control handler finds it too.
SavedConsole saved_console;

// The way out: the console as the game found it.
void restore_console() {
  con_set_cursor_shape(saved_console.cursor_shape);
  con_set_font_size(saved_console.font_size);
  con_set_fg(saved_console.foreground);
  con_set_bg(saved_console.background);
  con_set_window(-1, -1, -1, -1);
  con_restore_modes();
}

// Ctrl+C, Ctrl+Break and closing the console window end the process without the quit path, so
// the console is put back here. The console calls this on a thread of its own: it takes the
// console between two frames and keeps it, so that the game draws nothing over what it puts
// back. FALSE passes the event on to the default handler, which ends the process as it would
// have.
BOOL WINAPI restore_console_on_exit(DWORD event) {
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
    con_hold();
    restore_console();
  }
  return FALSE;
}

}  // namespace

int game_main(int /*argc*/, char** /*argv*/) {
  if (con_resolve() != 0) {
    return 1;
  }
  con_hold();
  con_set_window(0, 0, kWindowColumns, kWindowRows);
  // Some rows of the result screens fill the window and end with a line feed: without wrapping
  // each takes one row. The other modes and the code page make every console show the glyphs.
  con_set_game_modes();
  con_set_title(kGameTitle);
  SavedConsole& saved = saved_console;
  saved.cursor_shape = con_get_cursor_shape();
  saved.background = con_get_bg();
  saved.foreground = con_get_fg();
  saved.font_size = con_get_font_size();
  SetConsoleCtrlHandler(restore_console_on_exit, TRUE);
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
  restore_console();
  return 0;
}

void reset_program_state() {
  saved_console = SavedConsole{};
  con_layer = ConsoleLayerState{};
  game_state = GameState{};
  random_state = RandomState{};
}
