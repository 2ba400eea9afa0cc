#include "runtime/format.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct Case {
  uint32_t capacity;
  const char* format;
  std::vector<FmtArg> args;
  int result;  // -1: the output did not fit
  std::string text;
};

// A case whose output fits a roomy buffer: the count is the text's length.
Case fits(const char* format, std::vector<FmtArg> args, const std::string& text) {
  return {64, format, std::move(args), static_cast<int>(text.size()), text};
}

const char* const kNull = nullptr;
const char16_t* const kNullWide = nullptr;
constexpr char16_t kWide[] = {u'H', u'i', 0x1F, 0x7F, 0x80, 0x263A, u'!', 0};
const std::string kWideShown =
    "Hi?\x7F?"
    "?!";

const Case kCases[] = {
    // A width pads short numbers and keeps the lowest digits of long ones.
    fits("%7u", {fmt_arg(123u)}, "    123"),
    fits("%3u", {fmt_arg(255u)}, "255"),
    fits("%3u", {fmt_arg(1000u)}, "000"),
    fits("%2u", {fmt_arg(123u)}, "23"),
    fits("%5u", {fmt_arg(4294967295u)}, "67295"),
    fits("%u", {fmt_arg(0u)}, "0"),
    fits("%u", {fmt_arg(4294967295u)}, "4294967295"),
    fits("%0u", {fmt_arg(42u)}, "42"),
    fits("%05u", {fmt_arg(42u)}, "00042"),
    fits("%-05u", {fmt_arg(42u)}, "00042"),
    fits("%10u", {fmt_arg(7u)}, "         7"),
    // The sign comes before the padding and outside the width.
    fits("%5d", {fmt_arg(-42)}, "-   42"),
    fits("%05i", {fmt_arg(-42)}, "-00042"),
    fits("%d", {fmt_arg(-2147483647 - 1)}, "-2147483648"),
    fits("%d", {fmt_arg(2147483647)}, "2147483647"),
    fits("%2d", {fmt_arg(-123)}, "-23"),
    fits("%u", {fmt_arg(-1)}, "4294967295"),
    fits("%x", {fmt_arg(255u)}, "ff"),
    fits("%X", {fmt_arg(255u)}, "FF"),
    fits("%08x", {fmt_arg(0xBEEFu)}, "0000beef"),
    fits("%2x", {fmt_arg(0x12345u)}, "45"),
    fits("%x", {fmt_arg(0xFFFFFFFFu)}, "ffffffff"),
    // Precision and the left flag do nothing to numbers; length letters take no extra slot.
    fits("%.2u", {fmt_arg(12345u)}, "12345"),
    fits("%-5u|", {fmt_arg(7u)}, "    7|"),
    fits("%hu %lu %hd", {fmt_arg(70000u), fmt_arg(9u), fmt_arg(-3)}, "70000 9 -3"),
    // A star takes its slot before the value's.
    fits("%*u", {fmt_arg(4u), fmt_arg(7u)}, "   7"),
    fits("%0*u", {fmt_arg(3u), fmt_arg(7u)}, "007"),
    fits("%.*u|%u", {fmt_arg(2u), fmt_arg(123u), fmt_arg(5u)}, "123|5"),
    // Strings: a width pads and cuts, a precision caps what is copied.
    fits("%5s", {fmt_arg("(MAX)")}, "(MAX)"),
    fits("%5s", {fmt_arg("")}, "     "),
    fits("%5s", {fmt_arg("ab")}, "   ab"),
    fits("%5s", {fmt_arg("abcdefg")}, "abcde"),
    fits("%s", {fmt_arg(kNull)}, "(NULL)"),
    fits("%5s", {fmt_arg(kNull)}, "(NULL"),
    fits("%ls", {fmt_arg(kNullWide)}, "(NULL)"),
    fits("%-5s|", {fmt_arg("ab")}, "ab   |"),
    fits("%-5s|", {fmt_arg("abcdefg")}, "abcde|"),
    fits("%-s|", {fmt_arg("abc")}, "abc|"),
    fits("%.2s", {fmt_arg("abcdef")}, "ab"),
    fits("%.s|", {fmt_arg("abcdef")}, "|"),
    fits("%5.2s", {fmt_arg("abcdef")}, "   ab"),
    fits("%-5.2s|", {fmt_arg("abcdef")}, "ab   |"),
    fits("%5.0s|", {fmt_arg("abc")}, "     |"),
    fits("%5.10s|", {fmt_arg("ab")}, "ab|"),
    fits("%.*s", {fmt_arg(3u), fmt_arg("abcdef")}, "abc"),
    fits("%*.*s", {fmt_arg(5u), fmt_arg(2u), fmt_arg("abcdef")}, "   ab"),
    fits("%4.*s", {fmt_arg(-1), fmt_arg("ab")}, "  ab"),
    fits("%hs", {fmt_arg("abc")}, "abc"),
    // 16-bit units: printable ones as bytes, the others as '?'.
    fits("%ls", {fmt_arg(kWide)}, kWideShown),
    fits("%3ls", {fmt_arg(kWide)}, "Hi?"),
    fits("%10ls", {fmt_arg(kWide)}, "   " + kWideShown),
    fits("100%%", {}, "100%"),
    fits("[%c]", {fmt_arg(0x141u)}, "[A]"),
    // Unknown letters, and a '%' that ends the format, write the marker.
    fits("a%qb", {fmt_arg(1u)}, "aFMTERRb"),
    fits("%0-5u", {fmt_arg(1u)}, "FMTERR5u"),
    fits("%llu", {fmt_arg(1u)}, "FMTERRu"),
    fits("abc%", {}, "abcFMTERR"),
    fits("abc%5l", {}, "abcFMTERR"),
    fits("", {}, ""),
    fits("Lives:%3u %5s    Round:%3u", {fmt_arg(255u), fmt_arg("(MAX)"), fmt_arg(12u)},
         "Lives:255 (MAX)    Round: 12"),
    fits("Lives:%3u %5s    Round:%3u", {fmt_arg(3u), fmt_arg(""), fmt_arg(1u)},
         "Lives:  3          Round:  1"),
    // Directives past the last argument read zero and a null text.
    fits("%u %s|", {fmt_arg(5u)}, "5 (NULL)|"),
    fits("%*u|", {}, "0|"),
    // The capacity: output that fits exactly, and output cut short anywhere, a directive or a
    // huge width included, which empties the buffer.
    {4, "abc", {}, 3, "abc"},
    {4, "abcdef", {}, -1, ""},
    {4, "abc%u", {fmt_arg(3u)}, -1, ""},
    {4, "ab%5u", {fmt_arg(7u)}, -1, ""},
    {4, "%7u", {fmt_arg(123u)}, -1, ""},
    {6, "%-9s", {fmt_arg("ab")}, -1, ""},
    {4, "abq%", {}, -1, ""},
    {4, "abc%.0s", {fmt_arg("xyz")}, 3, "abc"},
    {1, "", {}, 0, ""},
    {1, "x", {}, -1, ""},
    {16, "%*u", {fmt_arg(-1), fmt_arg(1u)}, -1, ""},
    {16, "%4294967295s", {fmt_arg("a")}, -1, ""},
};

TEST(FmtVprint, EveryCase) {
  for (const Case& c : kCases) {
    std::string buffer(c.capacity + 8, '#');
    const int result = fmt_vprint(buffer.data(), c.capacity, c.format, c.args.data(),
                                  static_cast<uint32_t>(c.args.size()));
    SCOPED_TRACE(std::string(c.format) + " in " + std::to_string(c.capacity));
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(std::string(buffer.c_str()), c.text);
    EXPECT_EQ(buffer.substr(c.capacity), std::string(8, '#')) << "written past the capacity";
  }
}

TEST(FmtVprint, CapacityZeroWritesNothing) {
  char buffer[2] = {'#', '#'};
  EXPECT_EQ(fmt_vprint(buffer, 0, "x", nullptr, 0), -1);
  EXPECT_EQ(buffer[0], '#');
}

TEST(FmtVprint, RandomFormatsFitExactlyWhenTheFullOutputFits) {
  const char* const pieces[] = {"a",   "%",    "%%",  "%u",   "%5u", "%05d", "%-3s", "%s",
                                "%7s", "%.2s", "%*u", "%.*s", "%lx", "%ls",  "%q",   "%0-5u",
                                "%hd", "%X",   " ",   "%c",   "%-",  "%3"};
  // Texts that read as narrow strings and as strings of 16-bit units alike, since a random
  // directive may take either.
  alignas(char16_t) static const char text[] = {'t', 'e', 'x', 't', 0, 0, 0, 0};
  alignas(char16_t) static const char empty[] = {0, 0};
  const FmtArg args[] = {fmt_arg(7u),          fmt_arg(text), fmt_arg(-12), fmt_arg(empty),
                         fmt_arg(4294967295u), fmt_arg(3u),   fmt_arg(65u), fmt_arg(text)};
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    std::string format;
    for (int count = static_cast<int>(random() % 6); count > 0; --count) {
      format += pieces[random() % std::size(pieces)];
    }
    const uint32_t arg_count = random() % (std::size(args) + 1);
    std::vector<char> full(256, '#');
    // Huge widths from slots overflow even the large buffer, and so every smaller one.
    const int full_length = fmt_vprint(full.data(), 256, format.c_str(), args, arg_count);

    const uint32_t capacity = 1 + random() % 40;
    std::vector<char> bounded(capacity + 4, '#');
    const int length = fmt_vprint(bounded.data(), capacity, format.c_str(), args, arg_count);
    SCOPED_TRACE(format + " in " + std::to_string(capacity));
    EXPECT_EQ(std::string(bounded.end() - 4, bounded.end()), "####");
    if (full_length >= 0 && full_length < static_cast<int>(capacity)) {
      ASSERT_EQ(length, full_length);
      EXPECT_EQ(std::string(bounded.data(), length + 1), std::string(full.data(), length + 1));
    } else {
      ASSERT_EQ(length, -1);
      EXPECT_EQ(bounded[0], '\0');
    }
  }
}

TEST(FmtPrint, BoundedByTheArrayWithEveryKindOfArgument) {
  char small[6];
  EXPECT_EQ(fmt_print(small, "%5u", 42u), 5);
  EXPECT_STREQ(small, "   42");
  EXPECT_EQ(fmt_print(small, "%6u", 42u), -1);
  EXPECT_STREQ(small, "");
  char line[40];
  const char16_t wide[] = {u'o', u'k', 0};
  EXPECT_EQ(fmt_print(line, "%s %d %u %ls", "x", -1, 2u, wide), 9);
  EXPECT_STREQ(line, "x -1 2 ok");
  // The character 0 is written and counted.
  EXPECT_EQ(fmt_print(line, "a%cb", 0u), 3);
  EXPECT_EQ(std::string(line, 4), std::string("a\0b\0", 4));
}

}  // namespace
