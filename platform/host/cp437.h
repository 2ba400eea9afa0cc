// Code page 437, the console's character set, as Unicode.
#pragma once

#include <cstdint>
#include <string>

// The Unicode character that shows a code-page-437 byte. 0x00 shows as a space; 0x01..0x1F and
// 0x7F are the code page's graphic glyphs, not control characters.
char32_t cp437_to_unicode(uint8_t byte);

// Appends the UTF-8 encoding of a Unicode character.
void append_utf8(std::string& out, char32_t code_point);
