// The game's thin operations over the Windows console. Each takes the console handle afresh;
// failures of the console calls are ignored unless an operation says otherwise.
#pragma once

#include <cstddef>

// What con_read_key gives when no key will ever come: the console input has ended (the terminal
// was closed, a read failed, a script ran out). It lies outside the range of a character, so it
// is never taken for a command letter.
constexpr int kInputEnded = 0x100;

// Looks up the console functions that are found by name. 0, or -1 when the console module is
// not found or standard input or output is no console; then nothing is changed. Also records the
// window and buffer size for con_set_window(-1, -1, -1, -1), and the input and output modes and
// the output code page for con_restore_modes.
int con_resolve();

void con_clear();
// Removes the cursor's row, moving every row below it up one, and puts the cursor at its start.
void con_delete_line();

// Waits for one key press that gives a character and returns it as a signed 8-bit value, not
// echoed. Reads key events, so that Esc comes as every other key does.
int con_read_key();
// The same, then writes the character.
int con_read_key_echo();
// 1 while a key press is waiting, without consuming it.
int con_key_waiting();
// 1 while a key press that gives a character is waiting, without consuming it; keys that give
// none (arrows, function keys) stay queued and are passed over by the next read.
int con_char_waiting();

// Writes one character at the cursor; the argument, or -1 if the write failed.
int con_put_char(int character);
void con_set_cursor_pos(int column, int row);

// Cursor shape packed as size * 256 + visible.
int con_get_cursor_shape();
// Sets visibility from the low byte and the size from bits 8..14 unless they are 0; returns the
// shape before the change. 0 hides the cursor and keeps its size.
int con_set_cursor_shape(int shape);

// Font size packed as raster * 32768 + width * 256 + height; 0 when it cannot be read.
int con_get_font_size();
void con_set_font_size(int size);

// Colours 0..15 of the current text attribute.
int con_get_fg();
int con_get_bg();
void con_set_fg(int colour);
void con_set_bg(int colour);

// Window and buffer from left, top, right, bottom (right and bottom exclusive). All four
// negative restores what con_resolve recorded.
void con_set_window(int left, int top, int right, int bottom);
// The console as the game needs it, each from what con_resolve recorded:
// - writing the last column of a row leaves the cursor there instead of moving it on to the next
//   row, so that a text row that fills the window and ends with a line feed takes one row;
// - no virtual-terminal processing, so that the glyphs 0x01..0x1F show instead of acting as
//   controls;
// - no Quick Edit, whose selection a mouse click starts and which holds every write;
// - output code page 437, that of the game's glyphs.
// The other mode bits stay.
void con_set_game_modes();
// Sets back what con_resolve recorded: the modes and the output code page. Takes no lock: the
// console's control handler calls it while a read may be waiting.
void con_restore_modes();
void con_set_title(const char* title);
int con_sleep(unsigned milliseconds);

// Takes the console for the calling thread. The game holds it from start-up on and lets go only
// while it sleeps or waits for a key, so that a control handler, which runs on a thread of its
// own, takes it between two frames, and the game changes nothing once the console is put back.
void con_hold();

void* mem_alloc(size_t bytes);
void mem_free(void* memory);
