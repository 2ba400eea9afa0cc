#include "game/big_number.h"

#include "console/console.h"
#include "render/colour_text.h"

namespace {

constexpr int kDigitBufferSize = 20;
constexpr int kFontRowCount = 4;

// Each font row holds the ten pieces of that row, digit 0 first, each ending in a NUL.
// clang-format off
constexpr char kFontRows[kFontRowCount][61] = {
    "  __  " "\0" " _ " "\0" " ___ " "\0" " ____" "\0" " _ _  " "\0"
    " ___ " "\0" "  __ " "\0" " ____ " "\0" " ___ " "\0" " ___ ",
    " /  \\ " "\0" "/ |" "\0" "|_  )" "\0" "|__ /" "\0" "| | | " "\0"
    "| __|" "\0" " / / " "\0" "|__  |" "\0" "( _ )" "\0" "/ _ \\",
    "| () |" "\0" "| |" "\0" " / / " "\0" " |_ \\" "\0" "|_  _|" "\0"
    "|__\\ " "\0" "/ _ \\" "\0" "  / / " "\0" "/ _ \\" "\0" "\\_, /",
    " \\__/ " "\0" "|_|" "\0" "/___|" "\0" "|___/" "\0" "  |_| " "\0"
    "|___/" "\0" "\\___/" "\0" " /_/  " "\0" "\\___/" "\0" " /_/ ",
};
// clang-format on

// Where each digit's piece begins within a font row; the eleventh entry is where a digit after 9
// would begin.
constexpr uint8_t kPieceStarts[11] = {0, 7, 11, 17, 23, 30, 36, 42, 49, 55, 61};

int digit_width(uint8_t digit) {
  return kPieceStarts[digit + 1] - kPieceStarts[digit] - 1;
}

}  // namespace

uint8_t split_digits(uint8_t digits[20], uint32_t value) {
  for (int i = 0; i < kDigitBufferSize; ++i) {
    digits[i] = 0;
  }
  uint8_t count = 0;
  do {
    digits[count] = static_cast<uint8_t>(value % 10);
    ++count;
    value /= 10;
  } while (value != 0);
  return count;
}

int draw_big_number(int column, int row, uint32_t value) {
  const bool drawing = column != kMeasureOnly && row != kMeasureOnly;
  uint8_t digits[kDigitBufferSize];
  const uint8_t count = split_digits(digits, value);
  int width = 0;
  for (int font_row = 0; font_row < kFontRowCount; ++font_row) {
    if (drawing) {
      con_set_cursor_pos(column, row + font_row);
    }
    width = 0;
    for (int position = count - 1; position >= 0; --position) {
      const uint8_t digit = digits[position];
      if (drawing) {
        write_colour_text(&kFontRows[font_row][kPieceStarts[digit]]);
      }
      width += digit_width(digit);
    }
  }
  return width;
}
