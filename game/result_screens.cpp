#include "game/result_screens.h"

#include <cstdint>

#include "console/console.h"
#include "console/palette.h"
#include "game/big_number.h"
#include "game/flow.h"
#include "game/game_window.h"
#include "game/prompt.h"
#include "render/colour_text.h"
#include "runtime/format.h"

namespace {

// The Pt. label stands in columns 45 to 54; a score's large digits end just before it.
constexpr int kPointsLabelColumn = 45;
constexpr int kPointsLabelWidth = 10;
constexpr int kBigDigitRows = 4;

constexpr int kRoundNumberColumn = 32;
constexpr int kRoundCompleteScoreRow = 10;
constexpr int kLivesCountEnd = 35;
constexpr int kLivesCountRow = 14;

constexpr int kGameOverScoreRow = 6;
constexpr int kRoundsCountEnd = 27;
constexpr int kRoundsCountRow = 10;

// clang-format off
constexpr char kRoundCompleteBanner[] =
    GREEN "  ____                       _\n"
    " |  _ \\ ___  _   _ _ __   __| |\n"
    " | |_) / _ \\| | | | '_ \\ / _` |\n"
    " |  _ < (_) | |_| | | | | (_| |\n"
    " |_| \\_\\___/_\\__,_|_| |_|\\__,_|     _      _\n"
    "         / ___|___  _ __ ___  _ __ | | ___| |_ ___\n"
    "        | |   / _ \\| '_ ` _ \\| '_ \\| |/ _ \\ __/ _ \\\n"
    "        | |__| (_) | | | | | | |_) | |  __/ ||  __/\n"
    "         \\____\\___/|_| |_| |_| .__/|_|\\___|\\__\\___|\n"
    "                             |_|\n";

constexpr char kGameOverBanner[] =
    RED "   ____                         ___\n"
    "  / ___| __ _ _ __ ___   ___   / _ \\__   _____ _ __\n"
    " | |  _ / _` | '_ ` _ \\ / _ \\ | | | \\ \\ / / _ \\ '__|\n"
    " | |_| | (_| | | | | | |  __/ | |_| |\\ V /  __/ |\n"
    "  \\____|\\__,_|_| |_| |_|\\___|  \\___/  \\_/ \\___|_|\n"
    "\n";

constexpr char kPointsLabel[] =
    YELLOW "                                              ___ _\n"
    "                                             | _ \\ |_\n"
    "                                             |  _/  _|\n"
    "                                             |_|  \\__()\n";

constexpr char kLivesLabel[] =
    YELLOW "                                    _    _ \n"
    "                                   | |  (_)_ _____ ___\n"
    "                                   | |__| \\ V / -_|_-<\n"
    "                                   |____|_|\\_/\\___/__/\n";

constexpr char kRoundsLabel[] =
    YELLOW "                             ___                  _\n"
    "                            | _ \\___ _  _ _ _  __| |___\n"
    "                            |   / _ \\ || | ' \\/ _` (_-<\n"
    "                            |_|_\\___/\\_,_|_||_\\__,_/__/\n";
// clang-format on

constexpr char kContinuePrompt[] = YELLOW
    "Press " MAGENTA "[Space]" YELLOW " to continue, or " MAGENTA "[Q]" YELLOW " to quit: " CYAN;
constexpr char kReturnPrompt[] =
    YELLOW "Press " MAGENTA "[Space]" YELLOW " to return to title, or " MAGENTA "[Q]" YELLOW
           " to quit: " CYAN;
constexpr char kResultKeys[] = " Qq";

// The score in points on four rows from the cursor's row, which starts at column 0: large digits
// ending before the Pt. label, or one plain line when they would not fit in the window. The
// plain line is followed by empty rows so that what comes next stands where it always does.
// Ends at column 0 of the row after the four.
void draw_score(const GameState& game, int row) {
  const uint32_t points = game.score * 10;
  const int width = draw_big_number(kMeasureOnly, kMeasureOnly, points);
  if (width + kPointsLabelWidth > kWindowColumns) {
    char digits[12];
    con_set_fg(kYellow);
    write_colour_text("Score: ");
    con_set_fg(kCyan);
    fmt_print(digits, "%u", points);
    write_colour_text(digits);
    con_set_fg(kYellow);
    write_colour_text("Pt.");
    for (int empty = 1; empty < kBigDigitRows; ++empty) {
      con_put_char('\n');
    }
  } else {
    write_colour_text(kPointsLabel);
    con_set_fg(kCyan);
    draw_big_number(kPointsLabelColumn - width, row, points);
  }
  con_put_char('\n');
}

// A count in large cyan digits ending just before the given column.
void draw_count_before(int end_column, int row, uint32_t count) {
  con_set_fg(kCyan);
  draw_big_number(end_column - draw_big_number(kMeasureOnly, kMeasureOnly, count), row, count);
  con_put_char('\n');
  con_put_char('\n');
}

}  // namespace

int show_round_complete(const GameState& game) {
  con_clear();
  // The number of the round just won, in the colour the last frame left.
  draw_big_number(kRoundNumberColumn, 0, game.round + 1u);
  con_set_cursor_pos(0, 0);
  write_colour_text(kRoundCompleteBanner);
  draw_score(game, kRoundCompleteScoreRow);
  write_colour_text(kLivesLabel);
  draw_count_before(kLivesCountEnd, kLivesCountRow, game.lives);
  return prompt_for_key(kContinuePrompt, kResultKeys) == ' ' ? kFlowPlay : kFlowQuit;
}

int show_game_over(const GameState& game) {
  con_clear();
  write_colour_text(kGameOverBanner);
  draw_score(game, kGameOverScoreRow);
  write_colour_text(kRoundsLabel);
  draw_count_before(kRoundsCountEnd, kRoundsCountRow, game.round + 1u);
  return prompt_for_key(kReturnPrompt, kResultKeys) == ' ' ? kFlowTitle : kFlowQuit;
}
