// How code-page-437 bytes look on a terminal, and how typed Unicode characters map back to them.
#pragma once

#include <cstdint>

// The ASCII character that stands in for a code-page-437 byte where the locale cannot show its
// glyph: printable ASCII stands for itself; box drawing becomes '-', '=', '|' and '+', blocks and
// shades become '#', '%' and ':', accented letters lose their accents, and the other symbols take
// the ASCII character nearest in shape or meaning.
char ascii_stand_in(uint8_t byte);

// The code-page-437 byte 0x80..0xFF whose glyph is the Unicode character, if there is one.
bool cp437_byte_for(char32_t code_point, uint8_t* byte);
