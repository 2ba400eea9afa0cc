// The front end's side of job control and resizes, as the signal handlers noted them: Ctrl-Z gives
// the terminal back and stops, fg takes it again, and a resize redraws at the new size.
// Before curses.h, whose scroll macro would spoil the console host's scroll.
#include "platform/terminal/terminal_frontend.h"

#include <curses.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>

#include "platform/terminal/terminal_signals.h"
#include "platform/terminal/xterm_controls.h"

void TerminalFrontend::handle_signals() {
  const SignalsNoted noted = take_signals_noted();
  if (noted.stop) {
    suspend();
  }
  if (noted.continued) {
    // Stopped and continued by someone else: the shell may have changed the modes meanwhile.
    if (isendwin() == FALSE) {
      reset_prog_mode();
    }
    redraw_all_ = true;
    take_resize();
  }
  if (noted.resized) {
    take_resize();
  }
}

void TerminalFrontend::suspend() {
  // Another process of the same job (a wrapper script) may stop first and let the shell take the
  // terminal; the terminal is given back all the same instead of stopping halfway on SIGTTOU.
  sigset_t tty_output;
  sigemptyset(&tty_output);
  sigaddset(&tty_output, SIGTTOU);
  sigset_t previous_mask;
  sigprocmask(SIG_BLOCK, &tty_output, &previous_mask);
  endwin();
  write_all(STDOUT_FILENO, give_back_sequence());
  tcsetattr(STDOUT_FILENO, TCSADRAIN, &shell_modes_);
  sigprocmask(SIG_SETMASK, &previous_mask, nullptr);
  terminal_given_back();
  // The size was given back with the rest; it is asked for again if still needed.
  size_asked_ = false;
  asked_columns_ = 0;
  asked_rows_ = 0;

  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  struct sigaction own_action;
  sigaction(SIGTSTP, &default_action, &own_action);
  sigset_t only_stop;
  sigemptyset(&only_stop);
  sigaddset(&only_stop, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &only_stop, nullptr);
  raise(SIGTSTP);
  // Here again after fg.
  sigaction(SIGTSTP, &own_action, nullptr);

  terminal_taken(shell_modes_);
  if (xterm_controls_) {
    write_all(STDOUT_FILENO, kPushTitle);
  }
  shown_title_.clear();
  // ncurses takes the terminal back with its next update; every cell is drawn afresh.
  clearok(curscr, TRUE);
  wnoutrefresh(stdscr);
  doupdate();
  redraw_all_ = true;
  take_resize();
  pause_round(*host_);
}

void TerminalFrontend::take_resize() {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_row > 0 && size.ws_col > 0 &&
      (size.ws_row != LINES || size.ws_col != COLS)) {
    resizeterm(size.ws_row, size.ws_col);
  }
  redraw_all_ = true;
  rebuild_emergency_restore();
}
