// The part of the Windows API that the console layer and the colour writer use, for POSIX builds.
// The functions are carried out by the console host (console_host.h), an in-memory model of a
// Windows console. Types have the Windows sizes so that the structures match their published
// layouts (CONSOLE_FONT_INFOEX is 84 bytes).
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI

typedef int BOOL;
typedef char CHAR;
typedef int16_t SHORT;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef uint32_t ULONG;
typedef unsigned int UINT;
typedef char16_t WCHAR;
typedef size_t SIZE_T;
typedef intptr_t INT_PTR;
typedef void VOID;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef DWORD* LPDWORD;
typedef const char* LPCSTR;
typedef void* HANDLE;

struct HINSTANCE__;
typedef HINSTANCE__* HMODULE;
typedef INT_PTR(WINAPI* FARPROC)();

#define TRUE 1
#define FALSE 0
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1)))

#define STD_INPUT_HANDLE (static_cast<DWORD>(-10))
#define STD_OUTPUT_HANDLE (static_cast<DWORD>(-11))

// Console input modes. Insert, Quick Edit and auto-position change only when the extended flags
// bit comes with them.
#define ENABLE_PROCESSED_INPUT 0x0001
#define ENABLE_LINE_INPUT 0x0002
#define ENABLE_ECHO_INPUT 0x0004
#define ENABLE_WINDOW_INPUT 0x0008
#define ENABLE_MOUSE_INPUT 0x0010
#define ENABLE_INSERT_MODE 0x0020
#define ENABLE_QUICK_EDIT_MODE 0x0040
#define ENABLE_EXTENDED_FLAGS 0x0080
#define ENABLE_AUTO_POSITION 0x0100
#define ENABLE_VIRTUAL_TERMINAL_INPUT 0x0200

// Console output modes.
#define ENABLE_PROCESSED_OUTPUT 0x0001
#define ENABLE_WRAP_AT_EOL_OUTPUT 0x0002
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#define DISABLE_NEWLINE_AUTO_RETURN 0x0008

// Console control events.
#define CTRL_C_EVENT 0
#define CTRL_BREAK_EVENT 1
#define CTRL_CLOSE_EVENT 2

// Input record event types.
#define KEY_EVENT 0x0001
#define MOUSE_EVENT 0x0002
#define WINDOW_BUFFER_SIZE_EVENT 0x0004
#define FOCUS_EVENT 0x0010

// Key event control key states.
#define RIGHT_ALT_PRESSED 0x0001
#define LEFT_ALT_PRESSED 0x0002
#define RIGHT_CTRL_PRESSED 0x0004
#define LEFT_CTRL_PRESSED 0x0008
#define SHIFT_PRESSED 0x0010
#define ENHANCED_KEY 0x0100

// Virtual-key codes of the keys that have no letter or digit of their own.
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_RIGHT 0x27
#define VK_OEM_1 0xBA
#define VK_OEM_PLUS 0xBB
#define VK_OEM_COMMA 0xBC
#define VK_OEM_MINUS 0xBD
#define VK_OEM_PERIOD 0xBE
#define VK_OEM_2 0xBF
#define VK_OEM_3 0xC0
#define VK_OEM_4 0xDB
#define VK_OEM_5 0xDC
#define VK_OEM_6 0xDD
#define VK_OEM_7 0xDE
#define VK_PACKET 0xE7

// Font family bits of a console font.
#define TMPF_FIXED_PITCH 0x01
#define TMPF_VECTOR 0x02
#define TMPF_TRUETYPE 0x04
#define TMPF_DEVICE 0x08

#define LF_FACESIZE 32

struct COORD {
  SHORT X;
  SHORT Y;
};

struct SMALL_RECT {
  SHORT Left;
  SHORT Top;
  SHORT Right;
  SHORT Bottom;
};

struct CONSOLE_SCREEN_BUFFER_INFO {
  COORD dwSize;
  COORD dwCursorPosition;
  WORD wAttributes;
  SMALL_RECT srWindow;
  COORD dwMaximumWindowSize;
};
typedef CONSOLE_SCREEN_BUFFER_INFO* PCONSOLE_SCREEN_BUFFER_INFO;

struct CONSOLE_CURSOR_INFO {
  DWORD dwSize;
  BOOL bVisible;
};
typedef CONSOLE_CURSOR_INFO* PCONSOLE_CURSOR_INFO;

struct CONSOLE_FONT_INFOEX {
  ULONG cbSize;
  DWORD nFont;
  COORD dwFontSize;
  UINT FontFamily;
  UINT FontWeight;
  WCHAR FaceName[LF_FACESIZE];
};
typedef CONSOLE_FONT_INFOEX* PCONSOLE_FONT_INFOEX;

struct CHAR_INFO {
  union {
    WCHAR UnicodeChar;
    CHAR AsciiChar;
  } Char;
  WORD Attributes;
};

struct KEY_EVENT_RECORD {
  BOOL bKeyDown;
  WORD wRepeatCount;
  WORD wVirtualKeyCode;
  WORD wVirtualScanCode;
  union {
    WCHAR UnicodeChar;
    CHAR AsciiChar;
  } uChar;
  DWORD dwControlKeyState;
};

struct INPUT_RECORD {
  WORD EventType;
  union {
    KEY_EVENT_RECORD KeyEvent;
  } Event;
};
typedef INPUT_RECORD* PINPUT_RECORD;

struct CRITICAL_SECTION {
  int recursion;
};
typedef CRITICAL_SECTION* LPCRITICAL_SECTION;

typedef BOOL(WINAPI* PHANDLER_ROUTINE)(DWORD ctrl_type);

// Process and module services.
HANDLE WINAPI GetStdHandle(DWORD std_handle);
HMODULE WINAPI GetModuleHandleA(LPCSTR module_name);
FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR proc_name);

// Heap.
HANDLE WINAPI GetProcessHeap();
LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID memory);

// Synchronisation and timing.
void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION section);
void WINAPI EnterCriticalSection(LPCRITICAL_SECTION section);
void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION section);
void WINAPI Sleep(DWORD milliseconds);

// Console functions imported directly.
BOOL WINAPI GetConsoleMode(HANDLE console, LPDWORD mode);
BOOL WINAPI ReadConsoleA(HANDLE console, LPVOID buffer, DWORD to_read, LPDWORD read,
                         LPVOID input_control);
BOOL WINAPI ReadConsoleInputA(HANDLE console, PINPUT_RECORD buffer, DWORD length, LPDWORD read);
UINT WINAPI GetConsoleOutputCP();
BOOL WINAPI SetConsoleOutputCP(UINT code_page);
BOOL WINAPI WriteConsoleA(HANDLE console, const VOID* buffer, DWORD to_write, LPDWORD written,
                          LPVOID reserved);
BOOL WINAPI SetConsoleTextAttribute(HANDLE console, WORD attributes);
BOOL WINAPI ScrollConsoleScreenBufferA(HANDLE console, const SMALL_RECT* scroll_rect,
                                       const SMALL_RECT* clip_rect, COORD destination,
                                       const CHAR_INFO* fill);
BOOL WINAPI SetConsoleWindowInfo(HANDLE console, BOOL absolute, const SMALL_RECT* window);
BOOL WINAPI SetConsoleScreenBufferSize(HANDLE console, COORD size);
BOOL WINAPI SetConsoleActiveScreenBuffer(HANDLE console);
BOOL WINAPI GetConsoleCursorInfo(HANDLE console, PCONSOLE_CURSOR_INFO info);
BOOL WINAPI SetConsoleCursorInfo(HANDLE console, const CONSOLE_CURSOR_INFO* info);
BOOL WINAPI SetConsoleCtrlHandler(PHANDLER_ROUTINE handler, BOOL add);

// Console functions that the console layer looks up by name; declared here as the real header
// declares them, so that their pointer types can be named.
BOOL WINAPI FillConsoleOutputAttribute(HANDLE console, WORD attribute, DWORD length, COORD first,
                                       LPDWORD written);
BOOL WINAPI FillConsoleOutputCharacterA(HANDLE console, CHAR character, DWORD length, COORD first,
                                        LPDWORD written);
BOOL WINAPI GetConsoleScreenBufferInfo(HANDLE console, PCONSOLE_SCREEN_BUFFER_INFO info);
BOOL WINAPI GetCurrentConsoleFontEx(HANDLE console, BOOL maximum_window, PCONSOLE_FONT_INFOEX font);
BOOL WINAPI GetNumberOfConsoleInputEvents(HANDLE console, LPDWORD count);
BOOL WINAPI SetConsoleCursorPosition(HANDLE console, COORD position);
BOOL WINAPI PeekConsoleInputA(HANDLE console, PINPUT_RECORD buffer, DWORD length, LPDWORD read);
BOOL WINAPI SetConsoleMode(HANDLE console, DWORD mode);
BOOL WINAPI SetConsoleTitleA(LPCSTR title);
BOOL WINAPI SetCurrentConsoleFontEx(HANDLE console, BOOL maximum_window, PCONSOLE_FONT_INFOEX font);
