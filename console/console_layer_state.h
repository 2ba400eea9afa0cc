// What the console layer keeps between calls. Held in one record so that tests can start it
// afresh; the game itself never touches it.
#pragma once

#include <windows.h>

typedef BOOL(WINAPI* FillConsoleOutputAttributeFn)(HANDLE, WORD, DWORD, COORD, LPDWORD);
typedef BOOL(WINAPI* FillConsoleOutputCharacterAFn)(HANDLE, CHAR, DWORD, COORD, LPDWORD);
typedef BOOL(WINAPI* GetConsoleScreenBufferInfoFn)(HANDLE, PCONSOLE_SCREEN_BUFFER_INFO);
typedef BOOL(WINAPI* GetCurrentConsoleFontExFn)(HANDLE, BOOL, PCONSOLE_FONT_INFOEX);
typedef BOOL(WINAPI* GetNumberOfConsoleInputEventsFn)(HANDLE, LPDWORD);
typedef BOOL(WINAPI* SetConsoleCursorPositionFn)(HANDLE, COORD);
typedef BOOL(WINAPI* PeekConsoleInputAFn)(HANDLE, PINPUT_RECORD, DWORD, LPDWORD);
typedef BOOL(WINAPI* SetConsoleModeFn)(HANDLE, DWORD);
typedef BOOL(WINAPI* SetConsoleTitleAFn)(LPCSTR);
typedef BOOL(WINAPI* SetCurrentConsoleFontExFn)(HANDLE, BOOL, PCONSOLE_FONT_INFOEX);

// The console functions found by name at start-up; null where a name was not found.
struct ConsoleFunctions {
  FillConsoleOutputAttributeFn fill_attribute;
  FillConsoleOutputCharacterAFn fill_character;
  GetConsoleScreenBufferInfoFn get_buffer_info;
  GetCurrentConsoleFontExFn get_font;
  GetNumberOfConsoleInputEventsFn count_input_events;
  SetConsoleCursorPositionFn set_cursor_position;
  PeekConsoleInputAFn peek_input;
  SetConsoleModeFn set_mode;
  SetConsoleTitleAFn set_title;
  SetCurrentConsoleFontExFn set_font;
};

// The window and buffer size found at start-up, handed back on the way out.
struct SavedWindow {
  bool saved;
  SMALL_RECT window;
  COORD buffer_size;
};

// A console mode to be set back, with a flag that says whether there is one.
struct SavedMode {
  bool saved;
  DWORD mode;
};

// The presses still to come from a key event held down: a read takes them one at a time.
struct RepeatedKey {
  WORD count;
  char ch;
};

struct ConsoleLayerState {
  ConsoleFunctions functions;
  SavedWindow saved_window;
  // As found at start-up; a code page of 0 could not be read.
  SavedMode saved_output_mode;
  SavedMode saved_input_mode;
  UINT saved_code_page;
  RepeatedKey repeated_key;
  bool input_lock_ready;
  CRITICAL_SECTION input_lock;
  // Held by the game while it works the console; see con_hold.
  bool console_lock_ready;
  CRITICAL_SECTION console_lock;
};

extern ConsoleLayerState con_layer;
