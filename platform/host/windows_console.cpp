// The console functions of platform/host/include/windows.h and the standard handles they take,
// carried out on the console host.
#include <windows.h>

#include "platform/host/console_host.h"
#include "platform/host/key_record.h"

namespace {

// Distinct addresses stand for the console's standard handles, and for a file that a standard
// handle is redirected to.
char input_handle_object;
char output_handle_object;
char redirected_file_object;

HANDLE input_handle() {
  return &input_handle_object;
}
HANDLE output_handle() {
  return &output_handle_object;
}

// The console host when it is there and the handle is the console's output buffer.
ConsoleHost* output_console(HANDLE console) {
  ConsoleHost& host = console_host();
  if (!host.available() || console != output_handle()) {
    return nullptr;
  }
  return &host;
}

ConsoleHost* input_console(HANDLE console) {
  ConsoleHost& host = console_host();
  if (!host.available() || console != input_handle()) {
    return nullptr;
  }
  return &host;
}

}  // namespace

HANDLE WINAPI GetStdHandle(DWORD std_handle) {
  if (!console_host().available()) {
    return INVALID_HANDLE_VALUE;
  }
  if (std_handle == STD_INPUT_HANDLE) {
    return console_host().input_redirected() ? &redirected_file_object : input_handle();
  }
  if (std_handle == STD_OUTPUT_HANDLE) {
    return console_host().output_redirected() ? &redirected_file_object : output_handle();
  }
  return INVALID_HANDLE_VALUE;
}

BOOL WINAPI GetConsoleMode(HANDLE console, LPDWORD mode) {
  if (mode == nullptr) {
    return FALSE;
  }
  if (ConsoleHost* host = input_console(console)) {
    *mode = host->input_mode();
    return TRUE;
  }
  if (ConsoleHost* host = output_console(console)) {
    *mode = host->output_mode();
    return TRUE;
  }
  return FALSE;
}

BOOL WINAPI SetConsoleMode(HANDLE console, DWORD mode) {
  if (ConsoleHost* host = input_console(console)) {
    host->set_input_mode(mode);
    return TRUE;
  }
  if (ConsoleHost* host = output_console(console)) {
    host->set_output_mode(mode);
    return TRUE;
  }
  return FALSE;
}

BOOL WINAPI ReadConsoleA(HANDLE console, LPVOID buffer, DWORD to_read, LPDWORD read,
                         LPVOID /*input_control*/) {
  ConsoleHost* host = input_console(console);
  uint32_t taken = 0;
  const bool ok =
      host != nullptr && buffer != nullptr &&
      host->read_console(static_cast<uint8_t*>(buffer), static_cast<uint32_t>(to_read), &taken);
  if (read != nullptr) {
    *read = taken;
  }
  return ok ? TRUE : FALSE;
}

namespace {

// The key events of the queue's front as input records.
DWORD copy_events(const ConsoleHost& host, PINPUT_RECORD buffer, DWORD length) {
  DWORD copied = 0;
  for (const ConsoleKey& key : host.input_queue()) {
    if (copied == length) {
      break;
    }
    buffer[copied++] = key_record(key);
  }
  return copied;
}

}  // namespace

BOOL WINAPI ReadConsoleInputA(HANDLE console, PINPUT_RECORD buffer, DWORD length, LPDWORD read) {
  ConsoleHost* host = input_console(console);
  if (read != nullptr) {
    *read = 0;
  }
  if (host == nullptr || read == nullptr || buffer == nullptr) {
    return FALSE;
  }
  if (length == 0) {
    return TRUE;
  }
  // A read that waits asks the front end only when nothing is queued, as ReadConsoleA does.
  if (!host->wait_for_event()) {
    return FALSE;
  }
  *read = copy_events(*host, buffer, length);
  host->drop_events(*read);
  return TRUE;
}

UINT WINAPI GetConsoleOutputCP() {
  const ConsoleHost& host = console_host();
  return host.available() ? host.code_page() : 0;
}

BOOL WINAPI SetConsoleOutputCP(UINT code_page) {
  ConsoleHost& host = console_host();
  return host.available() && host.set_code_page(code_page) ? TRUE : FALSE;
}

BOOL WINAPI WriteConsoleA(HANDLE console, const VOID* buffer, DWORD to_write, LPDWORD written,
                          LPVOID /*reserved*/) {
  ConsoleHost* host = output_console(console);
  if (host == nullptr || (buffer == nullptr && to_write != 0)) {
    if (written != nullptr) {
      *written = 0;
    }
    return FALSE;
  }
  return host->write_console(static_cast<const char*>(buffer), to_write, written) ? TRUE : FALSE;
}

BOOL WINAPI SetConsoleTextAttribute(HANDLE console, WORD attributes) {
  ConsoleHost* host = output_console(console);
  return host != nullptr && host->set_text_attribute(attributes) ? TRUE : FALSE;
}

BOOL WINAPI ScrollConsoleScreenBufferA(HANDLE console, const SMALL_RECT* scroll_rect,
                                       const SMALL_RECT* clip_rect, COORD destination,
                                       const CHAR_INFO* fill) {
  ConsoleHost* host = output_console(console);
  if (host == nullptr || scroll_rect == nullptr || fill == nullptr) {
    return FALSE;
  }
  const bool has_clip = clip_rect != nullptr;
  const SMALL_RECT clip = has_clip ? *clip_rect : SMALL_RECT{0, 0, 0, 0};
  return host->scroll(scroll_rect->Left, scroll_rect->Top, scroll_rect->Right, scroll_rect->Bottom,
                      has_clip, clip.Left, clip.Top, clip.Right, clip.Bottom, destination.X,
                      destination.Y, static_cast<uint8_t>(fill->Char.AsciiChar), fill->Attributes)
             ? TRUE
             : FALSE;
}

BOOL WINAPI SetConsoleWindowInfo(HANDLE console, BOOL absolute, const SMALL_RECT* window) {
  ConsoleHost* host = output_console(console);
  if (host == nullptr || window == nullptr) {
    return FALSE;
  }
  // A relative rectangle moves the edges of the current window.
  const int left = window->Left + (absolute ? 0 : host->window_left());
  const int top = window->Top + (absolute ? 0 : host->window_top());
  const int right = window->Right + (absolute ? 0 : host->window_right());
  const int bottom = window->Bottom + (absolute ? 0 : host->window_bottom());
  return host->set_window(left, top, right, bottom) ? TRUE : FALSE;
}

BOOL WINAPI SetConsoleScreenBufferSize(HANDLE console, COORD size) {
  ConsoleHost* host = output_console(console);
  return host != nullptr && host->set_buffer_size(size.X, size.Y) ? TRUE : FALSE;
}

BOOL WINAPI SetConsoleActiveScreenBuffer(HANDLE console) {
  return output_console(console) != nullptr ? TRUE : FALSE;
}

BOOL WINAPI GetConsoleCursorInfo(HANDLE console, PCONSOLE_CURSOR_INFO info) {
  ConsoleHost* host = output_console(console);
  if (host == nullptr || info == nullptr) {
    return FALSE;
  }
  info->dwSize = static_cast<DWORD>(host->cursor_size());
  info->bVisible = host->cursor_visible() ? TRUE : FALSE;
  return TRUE;
}

BOOL WINAPI SetConsoleCursorInfo(HANDLE console, const CONSOLE_CURSOR_INFO* info) {
  ConsoleHost* host = output_console(console);
  return host != nullptr && info != nullptr && host->set_cursor_info(info->dwSize, info->bVisible)
             ? TRUE
             : FALSE;
}

// Handlers belong to the process, so they can be set without a console.
BOOL WINAPI SetConsoleCtrlHandler(PHANDLER_ROUTINE handler, BOOL add) {
  return console_host().set_control_handler(handler, add != 0) ? TRUE : FALSE;
}

BOOL WINAPI FillConsoleOutputAttribute(HANDLE console, WORD attribute, DWORD length, COORD first,
                                       LPDWORD written) {
  ConsoleHost* host = output_console(console);
  if (host == nullptr) {
    return FALSE;
  }
  return host->fill_attributes(attribute, length, first.X, first.Y, written) ? TRUE : FALSE;
}

BOOL WINAPI FillConsoleOutputCharacterA(HANDLE console, CHAR character, DWORD length, COORD first,
                                        LPDWORD written) {
  ConsoleHost* host = output_console(console);
  if (host == nullptr) {
    return FALSE;
  }
  return host->fill_characters(static_cast<uint8_t>(character), length, first.X, first.Y, written)
             ? TRUE
             : FALSE;
}

BOOL WINAPI GetConsoleScreenBufferInfo(HANDLE console, PCONSOLE_SCREEN_BUFFER_INFO info) {
  ConsoleHost* host = output_console(console);
  if (host == nullptr || info == nullptr) {
    return FALSE;
  }
  info->dwSize = {static_cast<SHORT>(host->width()), static_cast<SHORT>(host->height())};
  info->dwCursorPosition = {static_cast<SHORT>(host->cursor_x()),
                            static_cast<SHORT>(host->cursor_y())};
  info->wAttributes = host->attribute();
  info->srWindow = {static_cast<SHORT>(host->window_left()), static_cast<SHORT>(host->window_top()),
                    static_cast<SHORT>(host->window_right()),
                    static_cast<SHORT>(host->window_bottom())};
  info->dwMaximumWindowSize = info->dwSize;
  return TRUE;
}

// The model has one font for the window and for the maximised window, and keeps no face name.
BOOL WINAPI GetCurrentConsoleFontEx(HANDLE console, BOOL /*maximum_window*/,
                                    PCONSOLE_FONT_INFOEX font) {
  ConsoleHost* host = output_console(console);
  if (host == nullptr || font == nullptr || font->cbSize != sizeof(CONSOLE_FONT_INFOEX)) {
    return FALSE;
  }
  font->nFont = 0;
  font->dwFontSize = {static_cast<SHORT>(host->font_width()),
                      static_cast<SHORT>(host->font_height())};
  font->FontFamily = host->font_family();
  font->FontWeight = 400;
  for (WCHAR& unit : font->FaceName) {
    unit = 0;
  }
  return TRUE;
}

BOOL WINAPI SetCurrentConsoleFontEx(HANDLE console, BOOL /*maximum_window*/,
                                    PCONSOLE_FONT_INFOEX font) {
  ConsoleHost* host = output_console(console);
  if (host == nullptr || font == nullptr || font->cbSize != sizeof(CONSOLE_FONT_INFOEX) ||
      font->dwFontSize.X < 1 || font->dwFontSize.Y < 1) {
    return FALSE;
  }
  host->set_font(font->dwFontSize.X, font->dwFontSize.Y, font->FontFamily);
  return TRUE;
}

BOOL WINAPI GetNumberOfConsoleInputEvents(HANDLE console, LPDWORD count) {
  ConsoleHost* host = input_console(console);
  if (host == nullptr || count == nullptr) {
    return FALSE;
  }
  host->poll_input();
  *count = static_cast<DWORD>(host->input_queue().size());
  return TRUE;
}

BOOL WINAPI PeekConsoleInputA(HANDLE console, PINPUT_RECORD buffer, DWORD length, LPDWORD read) {
  ConsoleHost* host = input_console(console);
  if (host == nullptr || read == nullptr || (buffer == nullptr && length != 0)) {
    return FALSE;
  }
  host->poll_input();
  *read = copy_events(*host, buffer, length);
  return TRUE;
}

BOOL WINAPI SetConsoleCursorPosition(HANDLE console, COORD position) {
  ConsoleHost* host = output_console(console);
  return host != nullptr && host->set_cursor_position(position.X, position.Y) ? TRUE : FALSE;
}

BOOL WINAPI SetConsoleTitleA(LPCSTR title) {
  ConsoleHost& host = console_host();
  if (!host.available() || title == nullptr) {
    return FALSE;
  }
  host.set_title(title);
  return TRUE;
}
