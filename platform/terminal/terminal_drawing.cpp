// Drawing the console model on the terminal: the game centred, or a notice when it does not fit.
#include "platform/terminal/terminal_frontend.h"

#include <curses.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <string>

#include "platform/terminal/terminal_signals.h"
#include "platform/terminal/xterm_controls.h"

void TerminalFrontend::present(ConsoleHost& host) {
  handle_signals();
  const bool unchanged = presented_ && !redraw_all_ && host.generation() == presented_generation_ &&
                         COLS == presented_columns_ && LINES == presented_rows_;
  if (!unchanged) {
    const int columns = host.window_right() - host.window_left() + 1;
    const int rows = host.window_bottom() - host.window_top() + 1;
    const bool was_too_small = too_small_;
    too_small_ = COLS < columns || LINES < rows;
    // A frame usually changes a few cells: only those go to ncurses, unless the picture as a
    // whole has to be made again.
    const bool all_cells = !presented_ || redraw_all_ || was_too_small || too_small_ ||
                           COLS != presented_columns_ || LINES != presented_rows_ ||
                           host.window_left() != shown_left_ || host.window_top() != shown_top_ ||
                           shown_cells_.size() != static_cast<size_t>(columns) * rows;
    if (all_cells) {
      werase(stdscr);
    }
    if (too_small_) {
      draw_size_notice(columns, rows);
    } else {
      draw_console(host, columns, rows, all_cells);
    }
    if (redraw_all_) {
      clearok(curscr, TRUE);
    }
    wnoutrefresh(stdscr);
    doupdate();
    if (too_small_) {
      ask_for_size(columns, rows);
    }
    presented_ = true;
    redraw_all_ = false;
    presented_generation_ = host.generation();
    presented_columns_ = COLS;
    presented_rows_ = LINES;
  }
  if (host.title() != shown_title_) {
    if (xterm_controls_) {
      write_all(STDOUT_FILENO, title_sequence(host.title(), utf8_));
    }
    shown_title_ = host.title();
  }
}

void TerminalFrontend::draw_console(const ConsoleHost& host, int columns, int rows,
                                    bool all_cells) {
  if (all_cells) {
    shown_cells_.assign(static_cast<size_t>(columns) * rows, ConsoleCell{0, 0});
    shown_left_ = host.window_left();
    shown_top_ = host.window_top();
  }
  const int screen_left = (COLS - columns) / 2;
  const int screen_top = (LINES - rows) / 2;
  const int left = host.window_left();
  const int top = host.window_top();
  // The window's columns that lie inside the buffer, the same for every row.
  const int first_column = std::max(0, -left);
  const int end_column = std::min(columns, host.width() - left);
  for (int row = 0; row < rows && first_column < end_column; ++row) {
    const int y = top + row;
    if (y < 0 || y >= host.height()) {
      continue;
    }
    const ConsoleCell* cells = &host.cell(left + first_column, y);
    ConsoleCell* shown = &shown_cells_[static_cast<size_t>(row) * columns + first_column];
    for (int column = first_column; column < end_column; ++column, ++cells, ++shown) {
      if (all_cells || shown->ch != cells->ch || shown->attr != cells->attr) {
        draw_cell(*cells, screen_top + row, screen_left + column);
        *shown = *cells;
      }
    }
  }
  place_cursor(host, columns, rows);
}

void TerminalFrontend::draw_cell(const ConsoleCell& cell, int screen_row, int screen_column) {
  const CellStyle style = style_for_attribute(cell.attr, depth_);
  attr_t attributes = A_NORMAL;
  if (style.bold) {
    attributes |= A_BOLD;
  }
  if (style.dim) {
    attributes |= A_DIM;
  }
  if (style.reverse) {
    attributes |= A_REVERSE;
  }
  // The terminal program's console holds the glyphs of code page 437 alone.
  const auto glyph = glyphs_.find(cell.ch);
  const wchar_t text[2] = {glyph != glyphs_.end() ? glyph->second : L'?', L'\0'};
  cchar_t shown;
  setcchar(&shown, text, attributes, colour_pair(style.foreground, style.background), nullptr);
  mvwadd_wch(stdscr, screen_row, screen_column, &shown);
}

void TerminalFrontend::place_cursor(const ConsoleHost& host, int columns, int rows) {
  const int screen_left = (COLS - columns) / 2;
  const int screen_top = (LINES - rows) / 2;
  const int cursor_column = host.cursor_x() - host.window_left();
  const int cursor_row = host.cursor_y() - host.window_top();
  const bool cursor_shown = host.cursor_visible() && cursor_column >= 0 &&
                            cursor_column < columns && cursor_row >= 0 && cursor_row < rows;
  if (cursor_shown) {
    wmove(stdscr, screen_top + cursor_row, screen_left + cursor_column);
  }
  leaveok(stdscr, cursor_shown ? FALSE : TRUE);
  curs_set(cursor_shown ? 1 : 0);
}

void TerminalFrontend::draw_size_notice(int columns, int rows) {
  leaveok(stdscr, TRUE);
  curs_set(0);
  const std::string lines[] = {
      "Mazewick needs a terminal of " + std::to_string(columns) + " x " + std::to_string(rows) +
          ".",
      "This one is " + std::to_string(COLS) + " x " + std::to_string(LINES) + ".",
      "Enlarge it to go on, or press Q or Ctrl-C to quit.",
  };
  const int line_count = static_cast<int>(std::size(lines));
  const int first_row = std::max(0, (LINES - line_count) / 2);
  for (int index = 0; index < line_count && first_row + index < LINES; ++index) {
    const std::string& line = lines[index];
    const int length = std::min(static_cast<int>(line.size()), COLS);
    const int column = std::max(0, (COLS - length) / 2);
    if (index == 0) {
      wattron(stdscr, A_BOLD);
    }
    mvwaddnstr(stdscr, first_row + index, column, line.c_str(), length);
    wattroff(stdscr, A_BOLD);
  }
}

void TerminalFrontend::ask_for_size(int columns, int rows) {
  if (!xterm_controls_ || (columns == asked_columns_ && rows == asked_rows_)) {
    return;
  }
  if (!size_asked_) {
    original_columns_ = COLS;
    original_rows_ = LINES;
    size_asked_ = true;
  }
  asked_columns_ = columns;
  asked_rows_ = rows;
  // Never smaller than the terminal is: only the dimension that is short grows.
  requested_columns_ = std::max(COLS, columns);
  requested_rows_ = std::max(LINES, rows);
  write_all(STDOUT_FILENO, resize_sequence(requested_rows_, requested_columns_));
}

short TerminalFrontend::colour_pair(int foreground, int background) {
  if (foreground < 0) {
    return 0;
  }
  const int index = foreground * 16 + background;
  if (colour_pairs_[index] == 0) {
    if (next_colour_pair_ >= COLOR_PAIRS || next_colour_pair_ > SHRT_MAX) {
      // Out of pairs: keep at least the foreground.
      return background == 0 ? 0 : colour_pair(foreground, 0);
    }
    init_pair(static_cast<short>(next_colour_pair_), static_cast<short>(foreground),
              static_cast<short>(background));
    colour_pairs_[index] = static_cast<short>(next_colour_pair_);
    ++next_colour_pair_;
  }
  return colour_pairs_[index];
}
