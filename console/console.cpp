#include "console/console.h"

#include <windows.h>

#include "console/console_layer_state.h"

ConsoleLayerState con_layer;

namespace {

constexpr WORD kForegroundBits = 0x0F;
constexpr WORD kBackgroundBits = 0xF0;
constexpr WORD kDefaultAttribute = 0x07;
constexpr WORD kDeletedLineAttribute = 0x0F;  // white on black
constexpr int kCursorSizeBits = 0x7F;
constexpr int kRasterFlag = 0x8000;
constexpr UINT kGameCodePage = 437;  // every glyph the game writes is a byte of this code page
constexpr char kEscapeCharacter = 0x1B;

HANDLE output_handle() {
  return GetStdHandle(STD_OUTPUT_HANDLE);
}
HANDLE input_handle() {
  return GetStdHandle(STD_INPUT_HANDLE);
}

template <typename Function>
Function look_up(HMODULE module, const char* name) {
  // Through the generic function pointer type, which converts to every other without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

bool read_buffer_info(HANDLE output, CONSOLE_SCREEN_BUFFER_INFO& info) {
  const ConsoleFunctions& functions = con_layer.functions;
  return functions.get_buffer_info != nullptr && functions.get_buffer_info(output, &info) != 0;
}

SHORT smaller(SHORT a, SHORT b) {
  return a < b ? a : b;
}

// A window at the origin as wide and as high as the narrower and the lower of the two: it lies
// inside the buffer of either.
SMALL_RECT shared_window(const SMALL_RECT& a, const SMALL_RECT& b) {
  return {0, 0, smaller(static_cast<SHORT>(a.Right - a.Left), static_cast<SHORT>(b.Right - b.Left)),
          smaller(static_cast<SHORT>(a.Bottom - a.Top), static_cast<SHORT>(b.Bottom - b.Top))};
}

WORD current_attribute(HANDLE output) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  return read_buffer_info(output, info) ? info.wAttributes : kDefaultAttribute;
}

void set_mode(HANDLE console, DWORD mode) {
  if (con_layer.functions.set_mode != nullptr) {
    con_layer.functions.set_mode(console, mode);
  }
}

// Reads the input mode and changes it for a read or a peek; the caller sets it back.
DWORD enter_input(HANDLE input, DWORD cleared_bits) {
  if (!con_layer.input_lock_ready) {
    InitializeCriticalSection(&con_layer.input_lock);
    con_layer.input_lock_ready = true;
  }
  EnterCriticalSection(&con_layer.input_lock);
  DWORD mode = 0;
  if (GetConsoleMode(input, &mode) == 0) {
    mode = 0;
  }
  set_mode(input, mode & ~cleared_bits);
  return mode;
}

void leave_input(HANDLE input, DWORD mode) {
  set_mode(input, mode);
  LeaveCriticalSection(&con_layer.input_lock);
}

// A key-down event that gives a character. Ctrl+2 gives NUL, which is a character all the same,
// and Esc gives its own even where the console leaves it out (wine's, on a terminal).
bool gives_character(const INPUT_RECORD& record) {
  const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
  const bool control_held = (key.dwControlKeyState & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
  return record.EventType == KEY_EVENT && key.bKeyDown != 0 &&
         (key.uChar.AsciiChar != 0 || key.wVirtualKeyCode == VK_ESCAPE ||
          (key.wVirtualKeyCode == '2' && control_held));
}

char character_of(const KEY_EVENT_RECORD& key) {
  return key.wVirtualKeyCode == VK_ESCAPE ? kEscapeCharacter : key.uChar.AsciiChar;
}

// The next key press that gives a character, as a read of characters gives it: the events
// before it are passed over, and an event held down for n presses gives n characters. The
// console's own ReadConsoleA is not used because in raw mode it passes over every Esc.
int take_key_press(HANDLE input) {
  RepeatedKey& repeated = con_layer.repeated_key;
  if (repeated.count != 0) {
    --repeated.count;
    return static_cast<signed char>(repeated.ch);
  }
  for (;;) {
    INPUT_RECORD record = {};
    DWORD read = 0;
    if (ReadConsoleInputA(input, &record, 1, &read) == 0 || read != 1) {
      return kInputEnded;
    }
    if (gives_character(record)) {
      const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
      const char ch = character_of(key);
      repeated = {static_cast<WORD>(key.wRepeatCount > 1 ? key.wRepeatCount - 1 : 0), ch};
      return static_cast<signed char>(ch);
    }
  }
}

// Looks at the pending input events without taking them: 1 when a key press is among them (with
// need_char, only a key press that gives a character counts).
int peek_for_key_press(bool need_char) {
  if (con_layer.repeated_key.count != 0) {
    return 1;
  }
  const ConsoleFunctions& functions = con_layer.functions;
  const HANDLE input = input_handle();
  const DWORD mode = enter_input(input, ENABLE_PROCESSED_INPUT);
  int answer = 0;
  DWORD pending = 0;
  if (functions.count_input_events != nullptr && functions.peek_input != nullptr &&
      functions.count_input_events(input, &pending) != 0 && pending != 0) {
    const size_t bytes = static_cast<size_t>(pending) * sizeof(INPUT_RECORD);
    // A count too large to reserve memory for is answered like a failed reservation.
    auto* records = bytes / sizeof(INPUT_RECORD) == pending
                        ? static_cast<INPUT_RECORD*>(mem_alloc(bytes))
                        : nullptr;
    if (records != nullptr) {
      DWORD copied = 0;
      if (functions.peek_input(input, records, pending, &copied) != 0) {
        for (DWORD i = 0; i < copied && i < pending; ++i) {
          const INPUT_RECORD& record = records[i];
          if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown != 0 &&
              (!need_char || gives_character(record))) {
            answer = 1;
            break;
          }
        }
      }
      mem_free(records);
    }
  }
  leave_input(input, mode);
  return answer;
}

// While the game sleeps or waits for a key, a control handler may take the console.
void let_go_of_console() {
  if (con_layer.console_lock_ready) {
    LeaveCriticalSection(&con_layer.console_lock);
  }
}

void take_console_back() {
  if (con_layer.console_lock_ready) {
    EnterCriticalSection(&con_layer.console_lock);
  }
}

}  // namespace

int con_resolve() {
  const HMODULE kernel = GetModuleHandleA("KERNEL32");
  // Input or output redirected to a file or a pipe: no console to play in.
  DWORD input_mode = 0;
  DWORD output_mode = 0;
  if (kernel == nullptr || GetConsoleMode(input_handle(), &input_mode) == 0 ||
      GetConsoleMode(output_handle(), &output_mode) == 0) {
    return -1;
  }
  ConsoleFunctions& functions = con_layer.functions;
  functions.fill_attribute =
      look_up<FillConsoleOutputAttributeFn>(kernel, "FillConsoleOutputAttribute");
  functions.fill_character =
      look_up<FillConsoleOutputCharacterAFn>(kernel, "FillConsoleOutputCharacterA");
  functions.get_buffer_info =
      look_up<GetConsoleScreenBufferInfoFn>(kernel, "GetConsoleScreenBufferInfo");
  functions.get_font = look_up<GetCurrentConsoleFontExFn>(kernel, "GetCurrentConsoleFontEx");
  functions.count_input_events =
      look_up<GetNumberOfConsoleInputEventsFn>(kernel, "GetNumberOfConsoleInputEvents");
  functions.set_cursor_position =
      look_up<SetConsoleCursorPositionFn>(kernel, "SetConsoleCursorPosition");
  functions.peek_input = look_up<PeekConsoleInputAFn>(kernel, "PeekConsoleInputA");
  functions.set_mode = look_up<SetConsoleModeFn>(kernel, "SetConsoleMode");
  functions.set_title = look_up<SetConsoleTitleAFn>(kernel, "SetConsoleTitleA");
  functions.set_font = look_up<SetCurrentConsoleFontExFn>(kernel, "SetCurrentConsoleFontEx");
  con_set_window(-1, -1, -1, -1);  // the first such call records the window for the way out
  con_layer.saved_output_mode = {true, output_mode};
  con_layer.saved_input_mode = {true, input_mode};
  con_layer.saved_code_page = GetConsoleOutputCP();
  return 0;
}

void con_clear() {
  const ConsoleFunctions& functions = con_layer.functions;
  const HANDLE output = output_handle();
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!read_buffer_info(output, info)) {
    return;
  }
  const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
  const COORD origin = {0, 0};
  DWORD written = 0;
  if (functions.fill_character == nullptr ||
      functions.fill_character(output, ' ', cells, origin, &written) == 0) {
    return;
  }
  if (!read_buffer_info(output, info)) {
    return;
  }
  if (functions.fill_attribute == nullptr ||
      functions.fill_attribute(output, info.wAttributes, cells, origin, &written) == 0) {
    return;
  }
  con_set_cursor_pos(0, 0);
}

void con_delete_line() {
  const HANDLE output = output_handle();
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!read_buffer_info(output, info)) {
    return;
  }
  const SHORT row = info.dwCursorPosition.Y;
  // The rectangle ends at the buffer's last column: a Windows console clips one that passes the
  // buffer, but wine's refuses it and would leave the line in place.
  const SMALL_RECT below = {0, static_cast<SHORT>(row + 1), static_cast<SHORT>(info.dwSize.X - 1),
                            static_cast<SHORT>(info.dwSize.Y - 1)};
  const COORD destination = {0, row};
  CHAR_INFO fill = {};
  fill.Char.AsciiChar = ' ';
  fill.Attributes = kDeletedLineAttribute;
  ScrollConsoleScreenBufferA(output, &below, nullptr, destination, &fill);
  con_set_cursor_pos(0, row);
}

int con_read_key() {
  const HANDLE input = input_handle();
  const DWORD mode = enter_input(input, ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT);
  let_go_of_console();
  const int key = take_key_press(input);
  take_console_back();
  leave_input(input, mode);
  return key;
}

int con_read_key_echo() {
  const int key = con_read_key();
  if (key != kInputEnded) {
    con_put_char(key);
  }
  return key;
}

int con_key_waiting() {
  return peek_for_key_press(false);
}

int con_char_waiting() {
  return peek_for_key_press(true);
}

int con_put_char(int character) {
  const char byte = static_cast<char>(character);
  DWORD written = 0;
  if (WriteConsoleA(output_handle(), &byte, 1, &written, nullptr) != 0 && written == 1) {
    return character;
  }
  return -1;
}

void con_set_cursor_pos(int column, int row) {
  const ConsoleFunctions& functions = con_layer.functions;
  if (functions.set_cursor_position != nullptr) {
    const COORD position = {static_cast<SHORT>(column), static_cast<SHORT>(row)};
    functions.set_cursor_position(output_handle(), position);
  }
}

int con_get_cursor_shape() {
  CONSOLE_CURSOR_INFO info = {};
  GetConsoleCursorInfo(output_handle(), &info);
  return static_cast<int>(info.dwSize) * 256 + (info.bVisible != 0 ? 1 : 0);
}

int con_set_cursor_shape(int shape) {
  const HANDLE output = output_handle();
  CONSOLE_CURSOR_INFO info = {};
  GetConsoleCursorInfo(output, &info);
  const int before = static_cast<int>(info.dwSize) * 256 + (info.bVisible != 0 ? 1 : 0);
  info.bVisible = (shape & 0xFF) != 0 ? TRUE : FALSE;
  const int size = (shape >> 8) & kCursorSizeBits;
  if (size != 0) {
    info.dwSize = static_cast<DWORD>(size);
  }
  SetConsoleCursorInfo(output, &info);
  return before;
}

int con_get_font_size() {
  const ConsoleFunctions& functions = con_layer.functions;
  if (functions.get_font == nullptr) {
    return 0;
  }
  CONSOLE_FONT_INFOEX font = {};
  font.cbSize = sizeof(CONSOLE_FONT_INFOEX);
  if (functions.get_font(output_handle(), FALSE, &font) == 0) {
    return 0;
  }
  const bool raster = (font.FontFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) == 0;
  return (raster ? kRasterFlag : 0) + (font.dwFontSize.X & 0x7F) * 256 + (font.dwFontSize.Y & 0xFF);
}

void con_set_font_size(int size) {
  const ConsoleFunctions& functions = con_layer.functions;
  if (functions.get_font == nullptr || functions.set_font == nullptr) {
    return;
  }
  const HANDLE output = output_handle();
  CONSOLE_FONT_INFOEX font = {};
  font.cbSize = sizeof(CONSOLE_FONT_INFOEX);
  // A console shown in a terminal has no font of its own (0 x 0) and nothing to resize.
  if (functions.get_font(output, FALSE, &font) == 0 ||
      (font.dwFontSize.X == 0 && font.dwFontSize.Y == 0)) {
    return;
  }
  font.dwFontSize.X = static_cast<SHORT>((size >> 8) & 0x7F);
  font.dwFontSize.Y = static_cast<SHORT>(size & 0x7F);
  functions.set_font(output, FALSE, &font);
}

int con_get_fg() {
  return current_attribute(output_handle()) & kForegroundBits;
}

int con_get_bg() {
  return (current_attribute(output_handle()) >> 4) & 0x0F;
}

void con_set_fg(int colour) {
  const HANDLE output = output_handle();
  const WORD attribute = current_attribute(output);
  SetConsoleTextAttribute(
      output, static_cast<WORD>((attribute & ~kForegroundBits) | (colour & kForegroundBits)));
}

void con_set_bg(int colour) {
  const HANDLE output = output_handle();
  const WORD attribute = current_attribute(output);
  SetConsoleTextAttribute(
      output, static_cast<WORD>((attribute & ~kBackgroundBits) | ((colour & 0x0F) << 4)));
}

void con_set_window(int left, int top, int right, int bottom) {
  const HANDLE output = output_handle();
  SavedWindow& saved = con_layer.saved_window;
  SMALL_RECT window;
  COORD size;
  if (left >= 0 && top >= 0 && right >= 0 && bottom >= 0) {
    window = {static_cast<SHORT>(left), static_cast<SHORT>(top), static_cast<SHORT>(right - 1),
              static_cast<SHORT>(bottom - 1)};
    size = {static_cast<SHORT>(right - left), static_cast<SHORT>(bottom - top)};
  } else if (!saved.saved) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (read_buffer_info(output, info)) {
      saved.window = info.srWindow;
      saved.buffer_size = info.dwSize;
      saved.saved = true;
    }
    return;
  } else {
    window = saved.window;
    size = saved.buffer_size;
  }
  // The window must lie inside the buffer and the buffer must not be smaller than the window.
  // Shrunk first to what the current and the new window share, the window suits both buffers,
  // so the buffer can take its new size whichever way each dimension goes.
  CONSOLE_SCREEN_BUFFER_INFO info;
  const SMALL_RECT shrunk =
      read_buffer_info(output, info) ? shared_window(info.srWindow, window) : window;
  SetConsoleWindowInfo(output, TRUE, &shrunk);
  SetConsoleActiveScreenBuffer(output);
  SetConsoleScreenBufferSize(output, size);
  SetConsoleWindowInfo(output, TRUE, &window);
  SetConsoleActiveScreenBuffer(output);
}

void con_set_game_modes() {
  const SavedMode& output_mode = con_layer.saved_output_mode;
  if (output_mode.saved) {
    set_mode(output_handle(),
             output_mode.mode & ~static_cast<DWORD>(ENABLE_WRAP_AT_EOL_OUTPUT |
                                                    ENABLE_VIRTUAL_TERMINAL_PROCESSING));
  }
  // Quick Edit changes only with the extended flags bit.
  const SavedMode& input_mode = con_layer.saved_input_mode;
  if (input_mode.saved) {
    set_mode(input_handle(), (input_mode.mode | ENABLE_EXTENDED_FLAGS) &
                                 ~static_cast<DWORD>(ENABLE_QUICK_EDIT_MODE));
  }
  if (con_layer.saved_code_page != 0) {
    SetConsoleOutputCP(kGameCodePage);
  }
}

void con_restore_modes() {
  const SavedMode& output_mode = con_layer.saved_output_mode;
  if (output_mode.saved) {
    set_mode(output_handle(), output_mode.mode);
  }
  // The mode found at start-up, also while a read or a peek has it changed.
  const SavedMode& input_mode = con_layer.saved_input_mode;
  if (input_mode.saved) {
    set_mode(input_handle(), input_mode.mode);
  }
  if (con_layer.saved_code_page != 0) {
    SetConsoleOutputCP(con_layer.saved_code_page);
  }
}

void con_set_title(const char* title) {
  if (con_layer.functions.set_title != nullptr) {
    con_layer.functions.set_title(title);
  }
}

int con_sleep(unsigned milliseconds) {
  let_go_of_console();
  Sleep(milliseconds);
  take_console_back();
  return 0;
}

void* mem_alloc(size_t bytes) {
  return HeapAlloc(GetProcessHeap(), 0, bytes);
}

void mem_free(void* memory) {
  if (memory != nullptr) {
    HeapFree(GetProcessHeap(), 0, memory);
  }
}

void con_hold() {
  if (!con_layer.console_lock_ready) {
    InitializeCriticalSection(&con_layer.console_lock);
    con_layer.console_lock_ready = true;
  }
  EnterCriticalSection(&con_layer.console_lock);
}
