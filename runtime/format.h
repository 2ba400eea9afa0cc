// A bounded printf-style formatter. Field widths are exact: short values are padded and long
// ones cut to their last digits or first characters. Conversions: %% %c %d %i %u %x %X (upper-case
// hexadecimal) %s; any other letter writes "FMTERR".
#pragma once

#include <cstdint>

// One argument: every directive takes one, a '*' width or precision one more before it. Numbers
// read `number`; strings (%s) read `text`, a narrow string, or with 'l' a string of 16-bit units.
struct FmtArg {
  uint32_t number;
  const void* text;
};

constexpr FmtArg fmt_arg(uint32_t value) {
  return {value, nullptr};
}
constexpr FmtArg fmt_arg(int32_t value) {
  return {static_cast<uint32_t>(value), nullptr};
}
constexpr FmtArg fmt_arg(const char* text) {
  return {0, text};
}
constexpr FmtArg fmt_arg(const char16_t* text) {
  return {0, text};
}

// Formats into dest, writing at most capacity - 1 characters and a NUL. Directives past the
// last argument read zero and a null text. The number of characters written, or -1 with an
// empty dest when the output did not fit.
int fmt_vprint(char* dest, uint32_t capacity, const char* format, const FmtArg* args,
               uint32_t arg_count);

// Formats into a character array, bounded by its size.
template <uint32_t N, typename... Args>
int fmt_print(char (&dest)[N], const char* format, Args... args) {
  const FmtArg slots[sizeof...(Args) + 1] = {fmt_arg(args)..., {0, nullptr}};
  return fmt_vprint(dest, N, format, slots, sizeof...(Args));
}
