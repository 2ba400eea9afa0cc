// Screen texts carry their colours as four-byte escapes: a code 0x10..0x1F, then backspace,
// space, backspace. The code selects a bright colour on black.
#pragma once

#include <cstddef>

#define COLOUR_ESCAPE(code) code "\x08\x20\x08"
#define YELLOW COLOUR_ESCAPE("\x1C")
#define WHITE COLOUR_ESCAPE("\x1E")
#define GREEN COLOUR_ESCAPE("\x18")
#define CYAN COLOUR_ESCAPE("\x1A")
#define MAGENTA COLOUR_ESCAPE("\x16")
#define RED COLOUR_ESCAPE("\x14")

// Writes a NUL-terminated text at the cursor, turning its colour escapes into attribute changes.
void write_colour_text(const char* text);

// Bytes before the NUL.
size_t str_length(const char* text);
