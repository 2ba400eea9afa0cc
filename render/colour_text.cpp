#include "render/colour_text.h"

#include <windows.h>

#include "console/palette.h"

namespace {

constexpr int kEscapeLength = 4;

bool is_colour_code(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value >= 0x10 && value <= 0x1F;
}

// A code selects a bright colour on black: bit 2 red, bit 3 green, bit 1 blue.
WORD escape_attribute(char code) {
  const auto value = static_cast<unsigned char>(code);
  return static_cast<WORD>(kBrightBit + ((value & 0x04) != 0 ? kRedBit : 0) +
                           ((value & 0x08) != 0 ? kGreenBit : 0) +
                           ((value & 0x02) != 0 ? kBlueBit : 0));
}

}  // namespace

size_t str_length(const char* text) {
  size_t length = 0;
  while (text[length] != '\0') {
    ++length;
  }
  return length;
}

void write_colour_text(const char* text) {
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  const size_t length = str_length(text);
  size_t position = 0;
  while (position < length) {
    if (is_colour_code(text[position])) {
      SetConsoleTextAttribute(output, escape_attribute(text[position]));
      position += kEscapeLength;  // the backspace, space, backspace after the code are not shown
      continue;
    }
    size_t run_end = position + 1;
    while (run_end < length && !is_colour_code(text[run_end])) {
      ++run_end;
    }
    DWORD written = 0;
    WriteConsoleA(output, text + position, static_cast<DWORD>(run_end - position), &written,
                  nullptr);
    position = run_end;
  }
}
