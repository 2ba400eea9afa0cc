// Taking the terminal for the game and giving it back as it was found.
#include "platform/terminal/terminal_frontend.h"

#include <curses.h>
#include <langinfo.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "platform/host/cp437.h"
#include "platform/terminal/glyphs.h"
#include "platform/terminal/terminal_signals.h"
#include "platform/terminal/xterm_controls.h"

namespace {

constexpr int kDefaultEscapeDelayMs = 25;
constexpr int kLongestEscapeDelayMs = 1000;

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
  if (tcgetattr(STDOUT_FILENO, &shell_modes_) != 0) {
    reason = std::string("cannot read the terminal modes: ") + std::strerror(errno);
    return false;
  }
  std::setlocale(LC_ALL, "");
  utf8_ = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;

  // Installed before ncurses starts, so that it leaves these signals to the game.
  if (!start_signal_handling()) {
    reason = std::string("cannot create a pipe: ") + std::strerror(errno);
    return false;
  }

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
    tcsetattr(STDOUT_FILENO, TCSADRAIN, &shell_modes_);
    stop_signal_handling();
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
  // Until its screen has once been left and taken again, ncurses sends its output at every
  // cursor move, so a frame would reach the terminal as a dozen small writes instead of one.
  endwin();
  doupdate();

  const char* no_color = std::getenv("NO_COLOR");
  int colours = 0;
  if (has_colors() && (no_color == nullptr || no_color[0] == '\0')) {
    start_color();
    colours = COLORS;
  }
  depth_ = colour_depth_for(colours, no_color);
  std::fill(std::begin(colour_pairs_), std::end(colour_pairs_), 0);
  next_colour_pair_ = 1;
  glyphs_.clear();
  for (int byte = 0; byte < 256; ++byte) {
    const auto code = static_cast<uint8_t>(byte);
    const char32_t glyph = cp437_to_unicode(code);
    glyphs_[glyph] = utf8_ && wcwidth(static_cast<wchar_t>(glyph)) == 1
                         ? static_cast<wchar_t>(glyph)
                         : static_cast<wchar_t>(static_cast<unsigned char>(ascii_stand_in(code)));
  }

  xterm_controls_ = speaks_xterm_controls(term);
  escape_delay_ms_ = escape_delay_from_environment();
  decoder_ = KeyDecoder(utf8_);
  typed_.clear();
  input_ended_ = false;
  presented_ = false;
  began_ = false;
  redraw_all_ = true;
  too_small_ = false;
  shown_title_.clear();
  size_asked_ = false;
  asked_columns_ = 0;
  asked_rows_ = 0;

  if (xterm_controls_) {
    write_all(STDOUT_FILENO, kPushTitle);
  }
  terminal_taken(shell_modes_);
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
  tcsetattr(STDOUT_FILENO, TCSADRAIN, &shell_modes_);
  terminal_given_back();
  delscreen(screen_);
  screen_ = nullptr;
  host_->set_frontend(nullptr);
  host_ = nullptr;
  stop_signal_handling();
  sigprocmask(SIG_SETMASK, &previous_mask, nullptr);
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
  set_emergency_restore(bytes);
}
