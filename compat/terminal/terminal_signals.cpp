// The terminal front end's signals: the handlers, the emergency restore they write when the
// process is about to die, and the main loop's side of Ctrl-Z, fg and resizes.
#include "terminal_signals.h"
// Before curses.h, whose scroll macro would spoil the console host's scroll.
#include "terminal_frontend.h"

#include <curses.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "xterm_controls.h"

volatile sig_atomic_t g_stop_requested = 0;
volatile sig_atomic_t g_continued = 0;
volatile sig_atomic_t g_resized = 0;
volatile sig_atomic_t g_terminal_taken = 0;
int g_wake_read = -1;
int g_wake_write = -1;
termios g_shell_modes{};

namespace {

char g_restore_bytes[1024];
volatile sig_atomic_t g_restore_length = 0;

constexpr int kDeadlySignals[] = {SIGINT,  SIGTERM, SIGHUP, SIGQUIT,
                                  SIGSEGV, SIGABRT, SIGBUS, SIGFPE};
// A signal of these that was ignored when the game started (nohup, a background job of a shell
// without job control) stays ignored.
constexpr int kSignalsKeptIgnored[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};
constexpr int kHandledSignals[] = {SIGINT, SIGTERM, SIGHUP,  SIGQUIT, SIGSEGV, SIGABRT,
                                   SIGBUS, SIGFPE,  SIGTSTP, SIGCONT, SIGWINCH};
constexpr int kHandledSignalCount = sizeof(kHandledSignals) / sizeof(kHandledSignals[0]);
struct sigaction g_previous_actions[kHandledSignalCount];
bool g_replaced[kHandledSignalCount];

}  // namespace

void write_all(int fd, const char* bytes, size_t length) {
  while (length > 0) {
    const ssize_t written = ::write(fd, bytes, length);
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return;
    }
    bytes += written;
    length -= static_cast<size_t>(written);
  }
}

void write_all(int fd, const std::string& bytes) {
  write_all(fd, bytes.data(), bytes.size());
}

namespace {

void give_back_terminal_from_handler() {
  if (g_terminal_taken != 0) {
    write_all(STDOUT_FILENO, g_restore_bytes, static_cast<size_t>(g_restore_length));
    tcsetattr(STDOUT_FILENO, TCSANOW, &g_shell_modes);
  }
}

// Gives the terminal back, then dies by the same signal so that the shell sees what happened.
void on_deadly_signal(int signal_number) {
  give_back_terminal_from_handler();
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  sigaction(signal_number, &default_action, nullptr);
  sigset_t only_this;
  sigemptyset(&only_this);
  sigaddset(&only_this, signal_number);
  sigprocmask(SIG_UNBLOCK, &only_this, nullptr);
  raise(signal_number);
}

void wake_main_loop() {
  const int saved_errno = errno;
  const char byte = 0;
  [[maybe_unused]] const ssize_t written = ::write(g_wake_write, &byte, 1);
  errno = saved_errno;
}

void on_stop(int) {
  g_stop_requested = 1;
  wake_main_loop();
}

void on_continue(int) {
  g_continued = 1;
  wake_main_loop();
}

void on_resize(int) {
  g_resized = 1;
  wake_main_loop();
}

bool kept_ignored(int signal_number, const struct sigaction& current) {
  if (current.sa_handler != SIG_IGN) {
    return false;
  }
  return std::find(std::begin(kSignalsKeptIgnored), std::end(kSignalsKeptIgnored), signal_number) !=
         std::end(kSignalsKeptIgnored);
}

void handler_for(int signal_number, struct sigaction& action) {
  action = {};
  switch (signal_number) {
    case SIGTSTP:
      action.sa_handler = on_stop;
      break;
    case SIGCONT:
      action.sa_handler = on_continue;
      break;
    case SIGWINCH:
      action.sa_handler = on_resize;
      break;
    default:
      action.sa_handler = on_deadly_signal;
      break;
  }
  // A handler that gives the terminal back is not interrupted by another one.
  sigemptyset(&action.sa_mask);
  for (const int deadly : kDeadlySignals) {
    sigaddset(&action.sa_mask, deadly);
  }
  action.sa_flags = SA_RESTART;
}

}  // namespace

void install_signal_handlers() {
  for (int index = 0; index < kHandledSignalCount; ++index) {
    const int signal_number = kHandledSignals[index];
    sigaction(signal_number, nullptr, &g_previous_actions[index]);
    g_replaced[index] = !kept_ignored(signal_number, g_previous_actions[index]);
    if (g_replaced[index]) {
      struct sigaction action;
      handler_for(signal_number, action);
      sigaction(signal_number, &action, nullptr);
    }
  }
}

void restore_signal_handlers() {
  for (int index = 0; index < kHandledSignalCount; ++index) {
    if (g_replaced[index]) {
      sigaction(kHandledSignals[index], &g_previous_actions[index], nullptr);
      g_replaced[index] = false;
    }
  }
}

sigset_t handled_signal_set() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal_number : kHandledSignals) {
    sigaddset(&set, signal_number);
  }
  return set;
}

void close_wake_pipe() {
  if (g_wake_read >= 0) {
    ::close(g_wake_read);
    ::close(g_wake_write);
  }
  g_wake_read = -1;
  g_wake_write = -1;
}

namespace {

// A terminfo string without its padding ("$<5>"), as a terminal of today needs none.
void append_capability(std::string& out, const char* capability) {
  if (capability == nullptr || capability == reinterpret_cast<const char*>(-1)) {
    return;
  }
  for (const char* at = capability; *at != '\0'; ++at) {
    if (at[0] == '$' && at[1] == '<') {
      const char* end = std::strchr(at, '>');
      if (end != nullptr) {
        at = end;
        continue;
      }
    }
    out += *at;
  }
}

void append_named_capability(std::string& out, const char* name) {
  append_capability(out, tigetstr(name));
}

}  // namespace

void TerminalFrontend::handle_signals() {
  if (g_stop_requested != 0) {
    g_stop_requested = 0;
    suspend();
  }
  if (g_continued != 0) {
    g_continued = 0;
    // Stopped and continued by someone else: the shell may have changed the modes meanwhile.
    if (isendwin() == FALSE) {
      reset_prog_mode();
    }
    redraw_all_ = true;
    take_resize();
  }
  if (g_resized != 0) {
    g_resized = 0;
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
  tcsetattr(STDOUT_FILENO, TCSADRAIN, &g_shell_modes);
  sigprocmask(SIG_SETMASK, &previous_mask, nullptr);
  g_terminal_taken = 0;
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

  g_terminal_taken = 1;
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

void TerminalFrontend::rebuild_emergency_restore() {
  // What endwin does, as plain bytes a signal handler can write: colours and attributes off,
  // the cursor to the last line and shown, the screen the shell had, then the title and size.
  std::string bytes;
  append_named_capability(bytes, "sgr0");
  append_named_capability(bytes, "op");
  const char* cursor_address = tigetstr("cup");
  if (cursor_address != nullptr && cursor_address != reinterpret_cast<char*>(-1)) {
    append_capability(bytes, tiparm(cursor_address, LINES - 1, 0));
  }
  append_named_capability(bytes, "cnorm");
  append_named_capability(bytes, "rmcup");
  bytes += give_back_sequence();

  const sigset_t handled = handled_signal_set();
  sigset_t previous_mask;
  sigprocmask(SIG_BLOCK, &handled, &previous_mask);
  const size_t length = std::min(bytes.size(), sizeof g_restore_bytes);
  std::memcpy(g_restore_bytes, bytes.data(), length);
  g_restore_length = static_cast<sig_atomic_t>(length);
  sigprocmask(SIG_SETMASK, &previous_mask, nullptr);
}
