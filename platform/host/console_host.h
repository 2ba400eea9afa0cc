// The console host: an in-memory model of a Windows console that carries out the functions of
// platform/host/include/windows.h on POSIX. A front end connects it to the outside world: the
// headless front end (tests and mazewick-sim) or the terminal front end (the playable game).
#pragma once

#include <cstdint>
#include <deque>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "platform/host/code_pages.h"
#include "platform/host/console_frontend.h"

struct ConsoleCell {
  char32_t ch;    // the character the cell shows
  uint16_t attr;  // text attribute: background * 16 + foreground, plus any higher bits
};

// One key event of the input queue.
struct ConsoleKey {
  bool down;      // key pressed (true) or released (false)
  bool has_char;  // false for keys that give no character: arrows, function keys, Shift
  uint8_t ch;     // the character when has_char
  uint16_t virtual_key = 0;
  uint16_t scan_code = 0;
  uint32_t control_keys = 0;
  uint16_t repeat = 1;  // a key held down: one event for that many presses
};

// A console the host can start as: the facts in which the consoles people have differ.
struct ConsoleProfile {
  const char* name;
  uint32_t input_mode;
  uint32_t output_mode;
  unsigned code_page;
  // The classic console's raw ReadConsoleA passes over every Esc and line feed key press, unless
  // virtual-terminal input is on.
  bool raw_read_passes_escape;
};

// The host's own console, in which nothing differs from what the game was written against:
// input mode 0x7, output mode 0x3, code page 437.
const ConsoleProfile& model_console();
// Every profile, the model first.
std::span<const ConsoleProfile> console_profiles();
// The profile of that name, or null.
const ConsoleProfile* find_console_profile(const std::string& name);
// The names of every profile, the model first, separated by ", ".
std::string console_profile_names();

// A console control handler as SetConsoleCtrlHandler takes it: called with the event, non-zero
// when it has handled it.
using ControlHandler = int (*)(uint32_t event);

class ConsoleHost {
 public:
  static constexpr uint16_t kDefaultAttribute = 0x07;
  static constexpr int kDefaultWidth = 80;
  static constexpr int kDefaultHeight = 25;

  // A fresh console: buffer and window of the given size, spaces in attribute 0x07, cursor at
  // (0, 0) visible with size 25, font 8 x 16 raster, empty title, the profile's modes and code
  // page, empty queue, no control handlers, no hidden functions, no front end, available.
  explicit ConsoleHost(int width = kDefaultWidth, int height = kDefaultHeight,
                       const ConsoleProfile& profile = model_console());
  // Back to a fresh console as the constructor makes it, front end and hidden names included.
  void reset(int width = kDefaultWidth, int height = kDefaultHeight,
             const ConsoleProfile& profile = model_console());

  // A host that is not available behaves as if the process had no console: GetModuleHandleA
  // finds no module and GetStdHandle gives INVALID_HANDLE_VALUE.
  void set_available(bool available);
  bool available() const;
  // A standard handle redirected to a file: GetStdHandle gives the file, which no console
  // function takes.
  void redirect(bool input, bool output);
  bool input_redirected() const;
  bool output_redirected() const;

  void set_frontend(ConsoleFrontend* frontend);
  ConsoleFrontend* frontend() const;

  // GetProcAddress answers null for a hidden name.
  void hide_function(const std::string& name);
  bool is_hidden(const std::string& name) const;

  // Screen buffer.
  int width() const;
  int height() const;
  // The cells of a row lie one after another, so a row can be read from its first cell on.
  const ConsoleCell& cell(int x, int y) const;
  // Puts a cell as it is, without the code page.
  void set_cell(int x, int y, const ConsoleCell& cell);
  uint16_t attribute() const;
  int cursor_x() const;
  int cursor_y() const;
  bool cursor_visible() const;
  int cursor_size() const;
  int window_left() const;
  int window_top() const;
  int window_right() const;   // inclusive
  int window_bottom() const;  // inclusive
  const std::string& title() const;
  int font_width() const;
  int font_height() const;
  unsigned font_family() const;
  void set_font(int width, int height, unsigned family);
  // As GetConsoleMode gives it: Insert, Quick Edit and auto-position are among the bits only
  // while the extended flags bit is, as the last SetConsoleMode left it.
  uint32_t input_mode() const;
  bool quick_edit() const;
  uint32_t output_mode() const;
  unsigned code_page() const;
  // False for a code page the host has no table for.
  bool set_code_page(unsigned code_page);

  // Changes since the front end last presented the screen, so that it can redraw only what moved.
  uint64_t generation() const;

  // Input queue.
  void push_key(const ConsoleKey& key);
  // A key press and its release, as a keyboard gives them, with the key that types the
  // character.
  void push_keystroke(bool has_char, uint8_t ch);
  const std::deque<ConsoleKey>& input_queue() const;
  // ReadConsoleInputA: waits through the front end while the queue is empty, then the events
  // are at its front. False when input has ended.
  bool wait_for_event();
  void drop_events(size_t count);
  // No more input will come: a blocking read with nothing to take fails, and keys pushed from
  // now on are dropped.
  void end_input();
  bool input_ended() const;

  // The Windows functions of platform/host/include/windows.h are carried out by these.
  bool write_console(const char* bytes, uint32_t count, uint32_t* written);
  bool set_text_attribute(uint16_t attribute);
  bool set_cursor_position(int x, int y);
  bool scroll(int left, int top, int right, int bottom, bool has_clip, int clip_left, int clip_top,
              int clip_right, int clip_bottom, int dest_x, int dest_y, uint8_t fill_byte,
              uint16_t fill_attr);
  bool set_window(int left, int top, int right, int bottom);
  bool set_buffer_size(int width, int height);
  bool set_cursor_info(uint32_t size, bool visible);
  bool fill_characters(uint8_t ch, uint32_t length, int x, int y, uint32_t* written);
  bool fill_attributes(uint16_t attribute, uint32_t length, int x, int y, uint32_t* written);
  void set_title(const std::string& title);
  void set_input_mode(uint32_t mode);
  void set_output_mode(uint32_t mode);
  // ReadConsoleA in the input mode: without line input one character, from the next key-down
  // event that gives one, discarding the events before it (and, in the classic console, the Esc
  // and line feed presses); with line input the characters up to Enter, which ends the line as
  // CR LF, taken up to `to_read` at a time. Waits through the front end while there is nothing
  // to take. False when input has ended.
  bool read_console(uint8_t* buffer, uint32_t to_read, uint32_t* read);
  // SetConsoleCtrlHandler: adds a handler, or removes its last registration (false when it has
  // none). A null handler sets whether Ctrl+C is ignored.
  bool set_control_handler(ControlHandler handler, bool add);
  // Calls the handlers, the last registered first, until one takes the event; an ignored Ctrl+C
  // reaches none. Ctrl+C or Ctrl+Break that no handler takes, and every other event whatever the
  // handlers do, end the process: the model cannot end it, so it ends all input instead, and the
  // program leaves by its own way out when it next waits for a key. False when the process ends.
  bool raise_control_event(uint32_t event);
  // The front end is asked to poll before the queue is looked at.
  void poll_input();
  void sleep(uint32_t milliseconds);

 private:
  // Where virtual-terminal processing is in a sequence it is reading.
  enum class Sequence { kNone, kEscape, kControl, kOperatingSystem, kString };

  void bump();
  // The cursor to the next row, the buffer moving up one at the bottom; to its start as well
  // unless keep_column.
  void newline(bool keep_column = false);
  bool process_control(char32_t c);
  void put_char(char32_t c);
  // Shows a character at the cursor and moves it on.
  void print(char32_t c);
  // Virtual-terminal processing, as the console's terminal engine takes what is written.
  void put_terminal_char(char32_t c);
  void execute_terminal_control(char32_t c);
  void finish_escape(char32_t final_char);
  // The character shown for a byte that a fill or a scroll puts.
  char32_t shown_for_fill(uint8_t byte) const;
  ConsoleCell& cell_at(int x, int y);
  // A fill of length cells from (x, y), each cell given to set; false when (x, y) is outside.
  template <typename SetCell>
  bool fill(uint32_t length, int x, int y, uint32_t* written, SetCell set);
  // Takes the first key-down event with a character, discarding the events before it and, in a
  // raw read of the classic console, the Esc and line feed presses.
  bool take_queued_char(uint8_t* ch, bool raw);
  // Takes the next character, waiting through the front end while none is queued.
  bool read_char(uint8_t* ch, bool raw);
  // Line input: collects a line into line_, echoing and editing it as the input mode says.
  bool read_line();

  int width_ = 0;
  int height_ = 0;
  std::vector<ConsoleCell> cells_;
  uint16_t attribute_ = kDefaultAttribute;
  int cursor_x_ = 0;
  int cursor_y_ = 0;
  bool cursor_visible_ = true;
  int cursor_size_ = 25;
  int window_left_ = 0;
  int window_top_ = 0;
  int window_right_ = 0;
  int window_bottom_ = 0;
  std::string title_;
  int font_width_ = 8;
  int font_height_ = 16;
  unsigned font_family_ = 0x30;
  const ConsoleProfile* profile_ = nullptr;
  uint32_t input_mode_ = 0x7;  // without the bits the extended flags carry
  bool extended_flags_ = false;
  bool insert_mode_ = false;
  bool quick_edit_ = false;
  bool auto_position_ = false;
  uint32_t output_mode_ = 0x3;
  unsigned code_page_ = kCodePageUs;
  ByteDecoder decoder_;
  // Virtual-terminal processing: the sequence being read and what it has collected, a wrap due
  // at the next character, the shift to the second character set and which sets are line
  // drawing, and the cursor that ESC 7 saved.
  Sequence sequence_ = Sequence::kNone;
  char32_t intermediate_ = 0;
  bool wrap_due_ = false;
  bool shifted_ = false;
  bool line_drawing_[2] = {false, false};
  int saved_cursor_x_ = 0;
  int saved_cursor_y_ = 0;
  std::deque<ConsoleKey> input_;
  std::string line_;  // what line input has collected and no read has taken yet
  bool input_ended_ = false;
  std::vector<ControlHandler> control_handlers_;
  bool ctrl_c_ignored_ = false;
  std::set<std::string> hidden_;
  bool available_ = true;
  bool input_redirected_ = false;
  bool output_redirected_ = false;
  ConsoleFrontend* frontend_ = nullptr;
  uint64_t generation_ = 0;
};

// The console of this process.
ConsoleHost& console_host();
