// The bounded formatter's directives, exact widths and overflow. The command line's splitting
// is checked against its rules by the command-line fuzz target, on its seeds in every test run.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "runtime/format.h"

namespace {

// A format, its arguments and the whole of its output.
struct Case {
  const char* format;
  std::vector<FmtArg> args;
  std::string text;
};
template <typename... Args>
Case output(const char* format, const std::string& text, Args... args) {
  return {format, {fmt_arg(args)...}, text};
}

// The count and the text formatted into a buffer of the capacity, past which nothing is written.
std::pair<int, std::string> formatted(const Case& c, uint32_t capacity) {
  std::string buffer(capacity + 8, '#');
  const int result = fmt_vprint(buffer.data(), capacity, c.format, c.args.data(),
                                static_cast<uint32_t>(c.args.size()));
  EXPECT_EQ(buffer.substr(capacity), std::string(8, '#')) << "written past the capacity";
  return {result, std::string(buffer.c_str()).substr(0, capacity)};
}

constexpr char16_t kWide[] = {u'H', u'i', 0x1F, 0x7F, 0x80, 0x263A, u'!', 0};
const char* const kNull = nullptr;
const std::pair<int, std::string> kOverflowed = {-1, ""};

TEST(FmtVprint, DirectivesWidthsAndOverflow) {
  const Case cases[] = {
      // A width pads short numbers and keeps their lowest digits; precision and the left flag do
      // nothing to them. The sign comes before the padding and outside the width.
      output("%7u|%3u|%3u|%u|%u|%.2u|%-5u|%05u", "    123|255|000|0|4294967295|12345|    7|00042",
             123u, 255u, 1000u, 0u, 4294967295u, 12345u, 7u, 42u),
      output("%5d|%05i|%d|%X|%2x|%x", "-   42|-00042|-2147483648|FF|45|ffffffff", -42, -42,
             -2147483647 - 1, 255u, 0x12345u, 0xFFFFFFFFu),
      // Length letters take no slot of their own; a star takes one before the value's.
      output("%hu %lu %hd|%*u|%0*u|%.*u", "70000 9 -3|   7|007|123", 70000u, 9u, -3, 4u, 7u, 3u, 7u,
             2u, 123u),
      // Strings: a width pads and cuts them, a precision caps what is copied.
      output("%5s|%5s|%-5s|%.2s|%.s|%5.2s|%5.10s", "   ab|abcde|ab   |ab||   ab|ab", "ab",
             "abcdefg", "ab", "abcdef", "abcdef", "abcdef", "ab"),
      output("%s|%5s|%ls|%.*s|%*.*s|%4.*s", "(NULL)|(NULL|(NULL)|abc|   ab|  ab", kNull, kNull,
             static_cast<const char16_t*>(nullptr), 3u, "abcdef", 5u, 2u, "abcdef", -1, "ab"),
      // 16-bit units: printable ones as bytes, the others as '?'.
      output("%ls|%3ls|%10ls", "Hi?\x7F\x3F\x3F!|Hi?|   Hi?\x7F\x3F\x3F!", kWide, kWide, kWide),
      // Unknown letters, and a '%' that ends the format, write a marker. Directives past the
      // last argument read zero and a null text.
      output("100%%|[%c]|a%qb|%0-5u|%llu|", "100%|[A]|aFMTERRb|FMTERR5u|FMTERRu|", 0x141u, 1u, 1u),
      output("abc%5l", "abcFMTERR"), output("%u %s|%*u|", "5 (NULL)|0|", 5u), output("", "")};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    // Into a buffer just large enough, and one byte short of that, which empties it.
    const auto length = static_cast<uint32_t>(c.text.size());
    EXPECT_EQ(formatted(c, length + 1), std::pair(static_cast<int>(length), c.text));
    EXPECT_EQ(formatted(c, length), kOverflowed);
  }
  // Cut short in the padding, and a width too large for any buffer.
  EXPECT_EQ(formatted(output("ab%5u", "", 7u), 4), kOverflowed);
  EXPECT_EQ(formatted(output("%4294967295s", "", "a"), 64), kOverflowed);
}

}  // namespace
