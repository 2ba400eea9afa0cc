// The console host: an in-memory model of a Windows console that carries out the functions of
// platform/host/include/windows.h on POSIX. A front end connects it to the outside world: the
// headless front end (tests and mazewick-sim) or the terminal front end (the playable game).
#pragma once

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "platform/host/console_frontend.h"

struct ConsoleCell {
  uint8_t ch;     // code-page-437 byte
  uint16_t attr;  // text attribute: background * 16 + foreground, plus any higher bits
};

struct ConsoleKey {
  bool down;      // key pressed (true) or released (false)
  bool has_char;  // false for keys that give no character: arrows, function keys, Shift
  uint8_t ch;     // the character when has_char
};

// A console control handler as SetConsoleCtrlHandler takes it: called with the event, non-zero
// when it has handled it.
using ControlHandler = int (*)(uint32_t event);

class ConsoleHost {
 public:
  static constexpr uint16_t kDefaultAttribute = 0x07;

  // A fresh console: buffer and window of the given size, spaces in attribute 0x07, cursor at
  // (0, 0) visible with size 25, font 8 x 16 raster, empty title, input mode 0x7, output mode 0x3
  // (processed, wrapping at the end of a row), empty queue, no control handlers, no hidden
  // functions, no front end, available.
  explicit ConsoleHost(int width = 80, int height = 25);
  // Back to a fresh console as the constructor makes it, front end and hidden names included.
  void reset(int width = 80, int height = 25);

  // A host that is not available behaves as if the process had no console: GetModuleHandleA
  // finds no module and GetStdHandle gives INVALID_HANDLE_VALUE.
  void set_available(bool available);
  bool available() const;

  void set_frontend(ConsoleFrontend* frontend);
  ConsoleFrontend* frontend() const;

  // GetProcAddress answers null for a hidden name.
  void hide_function(const std::string& name);
  bool is_hidden(const std::string& name) const;

  // Screen buffer.
  int width() const;
  int height() const;
  const ConsoleCell& cell(int x, int y) const;
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
  uint32_t input_mode() const;
  uint32_t output_mode() const;

  // Changes since the front end last presented the screen, so that it can redraw only what moved.
  uint64_t generation() const;

  // Input queue.
  void push_key(const ConsoleKey& key);
  // A key press and its release, as a keyboard gives them.
  void push_keystroke(bool has_char, uint8_t ch);
  const std::deque<ConsoleKey>& input_queue() const;
  // No more input will come: a blocking read with nothing to take fails, and keys pushed from
  // now on are dropped.
  void end_input();
  bool input_ended() const;

  // The Windows functions of platform/host/include/windows.h are carried out by these.
  bool write_console(const char* bytes, uint32_t count, uint32_t* written);
  bool set_text_attribute(uint16_t attribute);
  bool set_cursor_position(int x, int y);
  bool scroll(int left, int top, int right, int bottom, bool has_clip, int clip_left, int clip_top,
              int clip_right, int clip_bottom, int dest_x, int dest_y, uint8_t fill_char,
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
  // event that gives one, discarding the events before it; with line input the characters up to
  // Enter, which ends the line as CR LF, taken up to `to_read` at a time. Waits through the front
  // end while there is nothing to take. False when input has ended.
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
  void bump();
  void newline();
  bool process_control(uint8_t byte);
  void put_byte(uint8_t byte);
  ConsoleCell& cell_at(int x, int y);
  // A fill of length cells from (x, y), each cell given to set; false when (x, y) is outside.
  template <typename SetCell>
  bool fill(uint32_t length, int x, int y, uint32_t* written, SetCell set);
  // Takes the first key-down event with a character, discarding the events before it.
  bool take_queued_char(uint8_t* ch);
  // Takes the next character, waiting through the front end while none is queued.
  bool read_char(uint8_t* ch);
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
  uint32_t input_mode_ = 0x7;
  uint32_t output_mode_ = 0x3;
  std::deque<ConsoleKey> input_;
  std::string line_;  // what line input has collected and no read has taken yet
  bool input_ended_ = false;
  std::vector<ControlHandler> control_handlers_;
  bool ctrl_c_ignored_ = false;
  std::set<std::string> hidden_;
  bool available_ = true;
  ConsoleFrontend* frontend_ = nullptr;
  uint64_t generation_ = 0;
};

// The console of this process.
ConsoleHost& console_host();
