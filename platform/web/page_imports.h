// What the page gives the game: functions of the page's script, imported by the module. Those
// that wait (sleeping and reading a key) return to the browser's event loop through asyncify and
// come back once the page resumes the game.
#pragma once

#include <cstddef>
#include <cstdint>

#define PAGE_IMPORT(name) __attribute__((import_module("page"), import_name(#name)))

// The kinds of a probe's records, in mazewick-sim's formats.
enum class PageRecord { kFrame = 0, kWait = 1, kScreen = 2 };
// A key from page_take_key: the character in the low byte, and this bit when it has one; for an
// arrow key, the letter it steers with in the low byte and the other bit.
constexpr int kPageKeyHasChar = 0x100;
constexpr int kPageKeyArrow = 0x200;

extern "C" {
// The console's window: two words a cell (character, attribute), row by row; the cursor in the
// window with its size, 0 when hidden; the title in UTF-8.
PAGE_IMPORT(show)
void page_show(const uint32_t* cells, int columns, int rows, int cursor_x, int cursor_y,
               int cursor_size, const char* title, size_t title_length);
// Waits that long, and while the tab is hidden.
PAGE_IMPORT(sleep) void page_sleep(uint32_t milliseconds);
// Waits until the page has a key queued.
PAGE_IMPORT(wait_key) void page_wait_key();
// The next queued key, or -1 when none is queued.
PAGE_IMPORT(take_key) int page_take_key();
// A probe's record.
PAGE_IMPORT(record) void page_record(int kind, const char* text, size_t length);
// A probe's run stops here, after its last pause: the page never resumes it.
PAGE_IMPORT(stop) void page_stop();
}
