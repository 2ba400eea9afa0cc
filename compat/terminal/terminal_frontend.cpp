#include "terminal_frontend.h"

#include <curses.h>
#include <fcntl.h>
#include <langinfo.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <utility>
#include <vector>

#include "cp437.h"
#include "glyphs.h"
#include "xterm_controls.h"

namespace {

// Signal state. The handlers only set these flags, wake the main loop through the pipe, or, when
// the process is about to die, write the precomputed restore bytes and put the modes back.
volatile sig_atomic_t g_stop_requested = 0;
volatile sig_atomic_t g_continued = 0;
volatile sig_atomic_t g_resized = 0;
volatile sig_atomic_t g_terminal_taken = 0;
int g_wake_read = -1;
int g_wake_write = -1;
termios g_shell_modes{};
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

constexpr int kDefaultEscapeDelayMs = 25;
constexpr int kLongestEscapeDelayMs = 1000;
// A paste longer than this many reads is taken over several polls, so that a poll never stalls.
constexpr int kMostReadsPerPoll = 16;
// How long a replay shows a screen that waits for a key before the recorded key comes.
constexpr auto kReplayReadHold = std::chrono::seconds(1);
constexpr uint8_t kEscapeKey = 0x1B;

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

int escape_delay_from_environment() {
  const char* text = std::getenv("ESCDELAY");
  if (text == nullptr || text[0] == '\0') {
    return kDefaultEscapeDelayMs;
  }
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*end != '\0' || value < 0) {
    return kDefaultEscapeDelayMs;
  }
  return static_cast<int>(std::min<long>(value, kLongestEscapeDelayMs));
}

void close_wake_pipe() {
  if (g_wake_read >= 0) {
    ::close(g_wake_read);
    ::close(g_wake_write);
  }
  g_wake_read = -1;
  g_wake_write = -1;
}

}  // namespace

bool TerminalFrontend::open(ConsoleHost& host, std::string& reason) {
  if (open_) {
    return true;
  }
  if (isatty(STDIN_FILENO) == 0) {
    reason = "standard input is not a terminal";
    return false;
  }
  if (isatty(STDOUT_FILENO) == 0) {
    reason = "standard output is not a terminal";
    return false;
  }
  const char* term = std::getenv("TERM");
  if (term == nullptr || term[0] == '\0') {
    reason = "TERM is not set, so the terminal type is unknown";
    return false;
  }
  if (tcgetattr(STDOUT_FILENO, &g_shell_modes) != 0) {
    reason = std::string("cannot read the terminal modes: ") + std::strerror(errno);
    return false;
  }
  std::setlocale(LC_ALL, "");
  utf8_ = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;

  int wake[2];
  if (pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
    reason = std::string("cannot create a pipe: ") + std::strerror(errno);
    return false;
  }
  g_wake_read = wake[0];
  g_wake_write = wake[1];
  g_stop_requested = 0;
  g_continued = 0;
  g_resized = 0;
  // Installed before ncurses starts, so that it leaves these signals to the game.
  install_signal_handlers();

  // The size comes from the terminal itself, never from stale LINES and COLUMNS variables.
  use_tioctl(TRUE);
  screen_ = newterm(nullptr, stdout, stdin);
  if (screen_ == nullptr) {
    reason = std::string("cannot set up the terminal of type '") + term + "'";
  } else if (tigetstr("cup") == nullptr || tigetstr("cup") == reinterpret_cast<char*>(-1)) {
    reason = std::string("the terminal of type '") + term + "' cannot place the cursor";
    endwin();
    delscreen(screen_);
    screen_ = nullptr;
  }
  if (screen_ == nullptr) {
    tcsetattr(STDOUT_FILENO, TCSADRAIN, &g_shell_modes);
    restore_signal_handlers();
    close_wake_pipe();
    return false;
  }

  cbreak();
  noecho();
  nonl();
  intrflush(stdscr, FALSE);
  typeahead(-1);
  // Ctrl-S would stop the terminal's output, and with it the game.
  termios modes;
  if (tcgetattr(STDOUT_FILENO, &modes) == 0) {
    modes.c_iflag &= ~static_cast<tcflag_t>(IXON);
    tcsetattr(STDOUT_FILENO, TCSADRAIN, &modes);
    def_prog_mode();
  }

  const char* no_color = std::getenv("NO_COLOR");
  int colours = 0;
  if (has_colors() && (no_color == nullptr || no_color[0] == '\0')) {
    start_color();
    colours = COLORS;
  }
  depth_ = colour_depth_for(colours, no_color);
  std::fill(std::begin(colour_pairs_), std::end(colour_pairs_), 0);
  next_colour_pair_ = 1;
  for (int byte = 0; byte < 256; ++byte) {
    const auto code = static_cast<uint8_t>(byte);
    const auto glyph = static_cast<wchar_t>(cp437_to_unicode(code));
    glyphs_[byte] = utf8_ && wcwidth(glyph) == 1
                        ? glyph
                        : static_cast<wchar_t>(static_cast<unsigned char>(ascii_stand_in(code)));
  }

  xterm_controls_ = speaks_xterm_controls(term);
  escape_delay_ms_ = escape_delay_from_environment();
  decoder_ = KeyDecoder(utf8_);
  input_ended_ = false;
  presented_ = false;
  redraw_all_ = true;
  too_small_ = false;
  shown_title_.clear();
  size_asked_ = false;
  asked_columns_ = 0;
  asked_rows_ = 0;

  if (xterm_controls_) {
    write_all(STDOUT_FILENO, kPushTitle);
  }
  g_terminal_taken = 1;
  rebuild_emergency_restore();
  host_ = &host;
  host.reset(COLS, LINES);
  host.set_frontend(this);
  open_ = true;
  return true;
}

void TerminalFrontend::close() {
  if (!open_) {
    return;
  }
  open_ = false;
  // A signal that comes now waits until the terminal is back, then has its usual effect.
  const sigset_t handled = handled_signal_set();
  sigset_t previous_mask;
  sigprocmask(SIG_BLOCK, &handled, &previous_mask);
  endwin();
  write_all(STDOUT_FILENO, give_back_sequence());
  tcsetattr(STDOUT_FILENO, TCSADRAIN, &g_shell_modes);
  g_terminal_taken = 0;
  delscreen(screen_);
  screen_ = nullptr;
  host_->set_frontend(nullptr);
  host_ = nullptr;
  restore_signal_handlers();
  close_wake_pipe();
  sigprocmask(SIG_SETMASK, &previous_mask, nullptr);
}

void TerminalFrontend::replay(std::vector<ScriptLine> lines) {
  replay_.emplace(std::move(lines));
}

void TerminalFrontend::sleep(ConsoleHost& host, uint32_t milliseconds) {
  // Keys that come during the pause are the game's once it has passed, as in a script.
  ++pauses_;
  if (observer_ != nullptr) {
    observer_->paused(pauses_);
  }
  present(host);
  wait_until_fits(host);
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (wait_step(host, deadline)) {
  }
}

bool TerminalFrontend::wait_step(ConsoleHost& host, Clock::time_point deadline) {
  const Clock::time_point now = Clock::now();
  if (now >= deadline) {
    return false;
  }
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
  int timeout = static_cast<int>(std::min<long long>(left, INT_MAX));
  const int escape = escape_timeout();
  if (escape >= 0 && escape < timeout) {
    timeout = escape;
  }
  pump(host, timeout);
  present(host);
  wait_until_fits(host);
  return true;
}

void TerminalFrontend::poll_input(ConsoleHost& host) {
  present(host);
  for (int reads = 0; reads < kMostReadsPerPoll && pump(host, 0); ++reads) {
  }
  if (stop_requested_ && !stop_pause_sent_) {
    // A round has no read of its own: its pause reads, finds the input ended and quits.
    host.push_keystroke(true, kEscapeKey);
    host.end_input();
    stop_pause_sent_ = true;
  } else if (replay_ && !stop_requested_) {
    replay_->deliver_due(host, pauses_);
  }
}

bool TerminalFrontend::wait_for_input(ConsoleHost& host) {
  if (replay_) {
    return replay_for_read(host);
  }
  const uint64_t keys_before = keys_pushed_;
  present(host);
  for (;;) {
    wait_until_fits(host);
    if (stop_requested_) {
      host.end_input();
      return false;
    }
    if (keys_pushed_ != keys_before) {
      return true;
    }
    if (input_ended_) {
      return false;
    }
    pump(host, escape_timeout());
    present(host);
  }
}

bool TerminalFrontend::replay_for_read(ConsoleHost& host) {
  present(host);
  const Clock::time_point deadline = Clock::now() + kReplayReadHold;
  while (!stop_requested_ && wait_step(host, deadline)) {
  }
  if (!stop_requested_ && replay_->deliver_for_read(host)) {
    return true;
  }
  // Stopped or played out: the game takes the quit path, as at the end of a script.
  host.end_input();
  return false;
}

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
  for (int row = 0; row < rows; ++row) {
    const int y = host.window_top() + row;
    for (int column = 0; column < columns; ++column) {
      const int x = host.window_left() + column;
      if (x < 0 || y < 0 || x >= host.width() || y >= host.height()) {
        continue;
      }
      const ConsoleCell& cell = host.cell(x, y);
      ConsoleCell& shown = shown_cells_[static_cast<size_t>(row) * columns + column];
      if (all_cells || shown.ch != cell.ch || shown.attr != cell.attr) {
        draw_cell(cell, screen_top + row, screen_left + column);
        shown = cell;
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
  const wchar_t text[2] = {glyphs_[cell.ch], L'\0'};
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

bool TerminalFrontend::pump(ConsoleHost& host, int timeout_ms) {
  pollfd watched[2] = {{g_wake_read, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
  const nfds_t count = input_ended_ ? 1 : 2;
  bool read_bytes = false;
  if (poll(watched, count, timeout_ms) > 0) {
    if ((watched[0].revents & POLLIN) != 0) {
      char drained[64];
      while (::read(g_wake_read, drained, sizeof drained) > 0) {
      }
    }
    if (count == 2 && watched[1].revents != 0) {
      read_bytes = read_keys(host);
    }
  }
  handle_signals();
  if (escape_timeout() == 0) {
    decoder_.flush(decoded_);
    push_keys(host);
  }
  return read_bytes;
}

bool TerminalFrontend::read_keys(ConsoleHost& host) {
  uint8_t bytes[4096];
  const ssize_t count = ::read(STDIN_FILENO, bytes, sizeof bytes);
  if (count > 0) {
    decoder_.feed(bytes, static_cast<size_t>(count), decoded_);
    last_key_bytes_ = Clock::now();
    push_keys(host);
    return true;
  }
  if (count == 0 || (errno != EINTR && errno != EAGAIN)) {
    end_input(host);
  }
  return false;
}

void TerminalFrontend::push_keys(ConsoleHost& host) {
  if (replay_) {
    // The keyboard does not reach the game that a recording plays; q stops it.
    for (const TerminalKey& key : decoded_) {
      if (key.has_char && (key.ch == 'q' || key.ch == 'Q')) {
        // The input ends at the next read, or after the round's pause below is queued.
        stop_requested_ = true;
      }
    }
  } else if (too_small_) {
    // Keys typed while the game cannot be seen are not acted on; q quits from the size notice.
    for (const TerminalKey& key : decoded_) {
      stop_requested_ = stop_requested_ || (key.has_char && (key.ch == 'q' || key.ch == 'Q'));
    }
  } else if (!decoded_.empty()) {
    for (const TerminalKey& key : decoded_) {
      host.push_keystroke(key.has_char, key.ch);
      ++keys_pushed_;
    }
    if (observer_ != nullptr) {
      observer_->keys_queued(pauses_, decoded_);
    }
  }
  decoded_.clear();
}

void TerminalFrontend::end_input(ConsoleHost& host) {
  if (input_ended_) {
    return;
  }
  input_ended_ = true;
  decoder_.flush(decoded_);
  push_keys(host);
  host.end_input();
}

int TerminalFrontend::escape_timeout() const {
  if (!decoder_.pending()) {
    return -1;
  }
  const auto waited =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - last_key_bytes_);
  return static_cast<int>(std::max<long long>(0, escape_delay_ms_ - waited.count()));
}

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

void TerminalFrontend::wait_until_fits(ConsoleHost& host) {
  while (too_small_ && !stop_requested_) {
    pump(host, escape_timeout());
    present(host);
  }
}

std::string TerminalFrontend::give_back_sequence() const {
  std::string bytes;
  if (xterm_controls_) {
    bytes += kPopTitle;
    // Only a terminal that took the size asked for, and still has it, is given its size back:
    // a size the user chose since stays.
    if (size_asked_ && COLS == requested_columns_ && LINES == requested_rows_) {
      bytes += resize_sequence(original_rows_, original_columns_);
    }
  }
  return bytes;
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
