// The terminal front end: shows the console model on the real terminal through ncurses and feeds
// the terminal's key presses, or the lines of a recording, into the model's input queue. Whatever
// ends the program (quitting, Ctrl-C, a termination signal, a crash), the terminal is given back
// as it was found.
#pragma once

#include <termios.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/headless/input_script.h"
#include "platform/headless/script_feed.h"
#include "platform/host/console_frontend.h"
#include "platform/host/console_host.h"
#include "platform/terminal/colours.h"
#include "platform/terminal/key_decoder.h"

struct screen;  // ncurses' terminal screen

// Hears what the game on the terminal is given, for a recording or a trace of the game.
class TerminalObserver {
 public:
  virtual ~TerminalObserver() = default;
  // The game first waits with its screen in sight, on a terminal of that size: until then it has
  // not begun.
  virtual void began(int /*columns*/, int /*rows*/) {}
  // The game has begun its pause (Sleep call) number pauses.
  virtual void paused(uint64_t pauses) = 0;
  // Keys from the keyboard have just joined the console's input queue, that many pauses in.
  virtual void keys_queued(uint64_t pauses, const std::vector<TerminalKey>& keys) = 0;
};

class TerminalFrontend final : public ConsoleFrontend {
 public:
  TerminalFrontend() = default;
  TerminalFrontend(const TerminalFrontend&) = delete;
  TerminalFrontend& operator=(const TerminalFrontend&) = delete;
  ~TerminalFrontend() override { close(); }

  // Takes the terminal for the game: the host becomes a console of the terminal's size with this
  // front end. False, with the reason, when standard input or output is no terminal or the
  // terminal cannot be set up; the terminal is then left as it was.
  bool open(ConsoleHost& host, std::string& reason);
  // Gives the terminal back: screen, modes, cursor, colours, title and size as they were.
  void close();

  // Tells the observers, in the order added, of every pause and of the keys the game is given
  // from the keyboard.
  void add_observer(TerminalObserver* observer) { observers_.push_back(observer); }
  // Feeds the lines of a recording instead of the keyboard, by the headless runner's rules: the
  // lines due go in when the game looks at its input (a Ctrl+C as its pause begins), and a read
  // that finds no key takes the next line, after a moment in which its screen can be seen. The
  // keyboard only stops the replay (q or Q): a read then finds the input ended, and a round
  // pauses first.
  void replay(std::vector<ScriptLine> lines);

  void sleep(ConsoleHost& host, uint32_t milliseconds) override;
  void poll_input(ConsoleHost& host) override;
  bool wait_for_input(ConsoleHost& host) override;

 private:
  using Clock = std::chrono::steady_clock;

  // Brings the terminal up to date with the model; the game is drawn centred, or a notice when
  // the terminal is too small for it.
  void present(ConsoleHost& host);
  // Hands ncurses the console's cells: all of them, or only those changed since the last time.
  void draw_console(const ConsoleHost& host, int columns, int rows, bool all_cells);
  void draw_cell(const ConsoleCell& cell, int screen_row, int screen_column);
  void place_cursor(const ConsoleHost& host, int columns, int rows);
  void draw_size_notice(int columns, int rows);
  void ask_for_size(int columns, int rows);
  short colour_pair(int foreground, int background);

  // Waits for keys or signals, at most until the deadline, and deals with what came. False once
  // the deadline has passed.
  bool wait_step(ConsoleHost& host, Clock::time_point deadline);
  // Waits up to timeout_ms (-1 without limit) for keys or signals and deals with what came.
  // True when bytes were read from the terminal.
  bool pump(ConsoleHost& host, int timeout_ms);
  // A read of the game during a replay.
  bool replay_for_read(ConsoleHost& host);
  // During a round the arrows and the capitals W, A, S and D steer as w, a, s and d do.
  void steer_with(TerminalKey& key) const;
  bool read_keys(ConsoleHost& host);
  // Hands the decoded keys to the host, a few at a time: the rest are typed_ until the game has
  // taken some.
  void push_keys(ConsoleHost& host);
  void queue_typed(ConsoleHost& host);
  void end_input(ConsoleHost& host);
  // Pauses a round in progress, as Esc does, when the player comes back to it: after fg, or
  // once the terminal is large enough again.
  void pause_round(ConsoleHost& host);
  // Milliseconds until a kept ESC counts as the Esc key, or -1 when none is kept.
  int escape_timeout() const;
  void handle_signals();
  void suspend();
  void take_resize();
  // Blocks, with the size notice shown, until the game fits the terminal; the first time it does,
  // the game has begun.
  void wait_until_fits(ConsoleHost& host);
  // The terminal output that puts back what the game changed beyond ncurses' own.
  std::string give_back_sequence() const;
  void rebuild_emergency_restore();

  bool open_ = false;
  // The terminal's modes as the shell had them, put back whenever the terminal is given back.
  termios shell_modes_{};
  screen* screen_ = nullptr;
  ConsoleHost* host_ = nullptr;
  // What the glyph of each code-page-437 byte shows as in this locale.
  std::unordered_map<char32_t, wchar_t> glyphs_;
  bool utf8_ = false;
  bool xterm_controls_ = false;
  ColourDepth depth_ = ColourDepth::kMonochrome;
  KeyDecoder decoder_{false};
  std::vector<TerminalKey> decoded_;
  std::deque<TerminalKey> typed_;
  Clock::time_point last_key_bytes_{};
  int escape_delay_ms_ = 25;
  bool input_ended_ = false;
  uint64_t keys_pushed_ = 0;
  uint64_t pauses_ = 0;
  std::vector<TerminalObserver*> observers_;
  // The game is in a round's tick or its pause (Sleep), not waiting for a key at a screen.
  bool steering_ = false;

  std::optional<ScriptFeed> replay_;
  // q stops a replay, or quits from the size notice, and a terminal gone stops the game: all
  // through the quit path.
  bool stop_requested_ = false;
  bool stop_pause_sent_ = false;

  bool presented_ = false;
  bool began_ = false;
  bool redraw_all_ = false;
  uint64_t presented_generation_ = 0;
  int presented_columns_ = 0;
  int presented_rows_ = 0;
  bool too_small_ = false;
  // The window of the console as last handed to ncurses, cell by cell.
  std::vector<ConsoleCell> shown_cells_;
  int shown_left_ = 0;
  int shown_top_ = 0;
  std::string shown_title_;

  bool size_asked_ = false;
  int asked_columns_ = 0;
  int asked_rows_ = 0;
  int requested_columns_ = 0;  // the size asked for
  int requested_rows_ = 0;
  int original_columns_ = 0;  // the size before the first ask
  int original_rows_ = 0;

  short colour_pairs_[256] = {};
  int next_colour_pair_ = 1;
};
