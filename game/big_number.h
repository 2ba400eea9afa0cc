// Numbers in large four-row digits, as the result screens show them.
#pragma once

#include <cstdint>

// Either coordinate of draw_big_number at this value: measure, do not draw.
constexpr int kMeasureOnly = -1;

// Fills the 20 bytes with the decimal digits of value, least significant first, the rest zero.
// The number of digits, 1 to 10; 0 has the one digit 0.
uint8_t split_digits(uint8_t digits[20], uint32_t value);

// Draws value in large digits from (column, row) over four rows, in the colour in effect, and
// returns its width in columns. With kMeasureOnly for the column or the row it only measures:
// nothing is written and the cursor stays. After drawing, the cursor stands just after the last
// digit's bottom row.
int draw_big_number(int column, int row, uint32_t value);
