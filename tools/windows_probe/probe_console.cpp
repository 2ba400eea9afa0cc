#include "tools/windows_probe/probe_console.h"

#include <algorithm>
#include <cstdio>

#include "platform/headless/screen_dump.h"
#include "platform/host/cp437.h"
#include "platform/host/key_record.h"

namespace {

HANDLE open_console_file(const char* name) {
  return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, 0, nullptr);
}

std::string json_string(const char* text) {
  std::string out = "\"";
  for (const char* c = text; *c != '\0'; ++c) {
    const auto byte = static_cast<unsigned char>(*c);
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += *c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04x", byte);
      out += escape;
    } else {
      out += *c;
    }
  }
  return out + "\"";
}

}  // namespace

Console open_console() {
  return {open_console_file("CONIN$"), open_console_file("CONOUT$")};
}

// The cells are copied into a console host, so that they are dumped by the same code as the
// headless host's. They are read as Unicode, so that the screen reads the same whatever the
// console's code page; a control character shows as its code-page-437 glyph.
std::string dump_screen(const Console& console, uint64_t pauses) {
  CONSOLE_SCREEN_BUFFER_INFO info = {};
  GetConsoleScreenBufferInfo(console.output, &info);
  const int width = info.dwSize.X;
  const int height = info.dwSize.Y;
  std::vector<CHAR_INFO> cells(static_cast<size_t>(width) * static_cast<size_t>(height));
  SMALL_RECT region = {0, 0, static_cast<SHORT>(width - 1), static_cast<SHORT>(height - 1)};
  ReadConsoleOutputW(console.output, cells.data(), info.dwSize, COORD{0, 0}, &region);
  ConsoleHost host(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const CHAR_INFO& cell =
          cells[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
      char32_t ch = cell.Char.UnicodeChar;
      if (ch < 0x20 || ch == 0x7F) {
        ch = cp437_to_unicode(static_cast<uint8_t>(ch));
      }
      host.set_cell(x, y, {ch, cell.Attributes});
    }
  }
  CONSOLE_CURSOR_INFO cursor = {};
  GetConsoleCursorInfo(console.output, &cursor);
  host.set_cursor_info(cursor.dwSize, cursor.bVisible != 0);
  host.set_cursor_position(info.dwCursorPosition.X, info.dwCursorPosition.Y);
  char title[1024] = {};
  GetConsoleTitleA(title, sizeof(title));
  host.set_title(title);
  return screen_dump_json(host, pauses);
}

std::string console_state(const Console& console) {
  CONSOLE_SCREEN_BUFFER_INFO info = {};
  GetConsoleScreenBufferInfo(console.output, &info);
  CONSOLE_CURSOR_INFO cursor = {};
  GetConsoleCursorInfo(console.output, &cursor);
  CONSOLE_FONT_INFOEX font = {};
  font.cbSize = sizeof(font);
  GetCurrentConsoleFontEx(console.output, FALSE, &font);
  DWORD input_mode = 0;
  DWORD output_mode = 0;
  GetConsoleMode(console.input, &input_mode);
  GetConsoleMode(console.output, &output_mode);
  char title[1024] = {};
  GetConsoleTitleA(title, sizeof(title));
  char numbers[512];
  std::snprintf(numbers, sizeof(numbers),
                "{\"window\":[%d,%d,%d,%d],\"buffer\":[%d,%d],\"cursor\":[%lu,%d],"
                "\"attribute\":%u,\"font\":[%d,%d],\"input_mode\":%lu,\"output_mode\":%lu,"
                "\"code_page\":%u,\"title\":",
                info.srWindow.Left, info.srWindow.Top, info.srWindow.Right, info.srWindow.Bottom,
                info.dwSize.X, info.dwSize.Y, cursor.dwSize, cursor.bVisible != 0 ? 1 : 0,
                info.wAttributes, font.dwFontSize.X, font.dwFontSize.Y, input_mode, output_mode,
                GetConsoleOutputCP());
  return numbers + json_string(title) + "}";
}

// The window first shrinks to what the old and the new size share, since the buffer may never be
// smaller than the window.
bool size_console(const Console& console, int columns, int rows) {
  CONSOLE_SCREEN_BUFFER_INFO info = {};
  if (GetConsoleScreenBufferInfo(console.output, &info) == 0) {
    return false;
  }
  const int shared_columns = std::min(info.srWindow.Right - info.srWindow.Left + 1, columns);
  const int shared_rows = std::min(info.srWindow.Bottom - info.srWindow.Top + 1, rows);
  const SMALL_RECT shared = {0, 0, static_cast<SHORT>(shared_columns - 1),
                             static_cast<SHORT>(shared_rows - 1)};
  const SMALL_RECT window = {0, 0, static_cast<SHORT>(columns - 1), static_cast<SHORT>(rows - 1)};
  SetConsoleWindowInfo(console.output, TRUE, &shared);
  return SetConsoleScreenBufferSize(console.output,
                                    COORD{static_cast<SHORT>(columns), static_cast<SHORT>(rows)}) &&
         SetConsoleWindowInfo(console.output, TRUE, &window);
}

bool start_virtual_terminal(const Console& console) {
  DWORD mode = 0;
  return GetConsoleMode(console.output, &mode) != 0 &&
         SetConsoleMode(console.output, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 &&
         GetConsoleMode(console.output, &mode) != 0 &&
         (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

bool input_queued(const Console& console) {
  DWORD pending = 0;
  return GetNumberOfConsoleInputEvents(console.input, &pending) != 0 && pending != 0;
}

// Each key event as the keyboard gave it to the staging host: its key, scan code, control keys
// and repeat count, the release after the press.
void ConsoleFeed::hand_over() {
  std::vector<INPUT_RECORD> records;
  for (const ConsoleKey& key : staging_.input_queue()) {
    records.push_back(key_record(key));
  }
  DWORD written = 0;
  if (!records.empty()) {
    WriteConsoleInputA(console_.input, records.data(), static_cast<DWORD>(records.size()),
                       &written);
  }
  staging_.reset(1, 1);
}
