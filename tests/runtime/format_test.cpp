#include "runtime/format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// Formats into a buffer of the given capacity, keeping the result and the text.
struct Formatted {
  int result;
  std::string text;
};

Formatted format_with(uint32_t capacity, const char* format, std::initializer_list<FmtArg> args) {
  std::string buffer(capacity + 8, '#');
  const int result =
      fmt_vprint(buffer.data(), capacity, format, args.begin(), static_cast<uint32_t>(args.size()));
  // Nothing may be written past the capacity.
  EXPECT_EQ(buffer.substr(capacity), std::string(8, '#'));
  return {result, std::string(buffer.c_str())};
}

std::string format(const char* format, std::initializer_list<FmtArg> args = {}) {
  const Formatted formatted = format_with(64, format, args);
  EXPECT_EQ(formatted.result, static_cast<int>(formatted.text.size()));
  return formatted.text;
}

TEST(FmtNumbers, WidthPadsShortValues) {
  EXPECT_EQ(format("%7u", {fmt_arg(123u)}), "    123");
  EXPECT_EQ(format("%3u", {fmt_arg(255u)}), "255");
}

TEST(FmtNumbers, WidthKeepsTheLowestDigitsOfLongValues) {
  EXPECT_EQ(format("%3u", {fmt_arg(1000u)}), "000");
  EXPECT_EQ(format("%2u", {fmt_arg(123u)}), "23");
  EXPECT_EQ(format("%5u", {fmt_arg(4294967295u)}), "67295");
}

TEST(FmtNumbers, NoWidthWritesEveryDigit) {
  EXPECT_EQ(format("%u", {fmt_arg(0u)}), "0");
  EXPECT_EQ(format("%u", {fmt_arg(4294967295u)}), "4294967295");
  EXPECT_EQ(format("%0u", {fmt_arg(42u)}), "42");
}

TEST(FmtNumbers, ZeroFlagPadsWithZeros) {
  EXPECT_EQ(format("%05u", {fmt_arg(42u)}), "00042");
  EXPECT_EQ(format("%-05u", {fmt_arg(42u)}), "00042");
}

TEST(FmtNumbers, ZeroFlagAfterTheWidthIsPartOfIt) {
  EXPECT_EQ(format("%10u", {fmt_arg(7u)}), "         7");
}

TEST(FmtNumbers, SignComesBeforeThePaddingAndOutsideTheWidth) {
  EXPECT_EQ(format("%5d", {fmt_arg(-42)}), "-   42");
  EXPECT_EQ(format("%05i", {fmt_arg(-42)}), "-00042");
  EXPECT_EQ(format("%d", {fmt_arg(-2147483647 - 1)}), "-2147483648");
  EXPECT_EQ(format("%d", {fmt_arg(2147483647)}), "2147483647");
  EXPECT_EQ(format("%2d", {fmt_arg(-123)}), "-23");
}

TEST(FmtNumbers, UnsignedShowsNegativeSlotsAsTheirBits) {
  EXPECT_EQ(format("%u", {fmt_arg(-1)}), "4294967295");
}

TEST(FmtNumbers, Hexadecimal) {
  EXPECT_EQ(format("%x", {fmt_arg(255u)}), "ff");
  EXPECT_EQ(format("%X", {fmt_arg(255u)}), "FF");
  EXPECT_EQ(format("%08x", {fmt_arg(0xBEEFu)}), "0000beef");
  EXPECT_EQ(format("%2x", {fmt_arg(0x12345u)}), "45");
  EXPECT_EQ(format("%x", {fmt_arg(0xFFFFFFFFu)}), "ffffffff");
}

TEST(FmtNumbers, PrecisionAndLeftFlagAreIgnored) {
  EXPECT_EQ(format("%.2u", {fmt_arg(12345u)}), "12345");
  EXPECT_EQ(format("%-5u|", {fmt_arg(7u)}), "    7|");
}

TEST(FmtNumbers, LengthLettersChangeNothing) {
  EXPECT_EQ(format("%hu %lu %hd", {fmt_arg(70000u), fmt_arg(9u), fmt_arg(-3)}), "70000 9 -3");
}

TEST(FmtNumbers, StarTakesTheWidthFromTheSlotBeforeTheValue) {
  EXPECT_EQ(format("%*u", {fmt_arg(4u), fmt_arg(7u)}), "   7");
  EXPECT_EQ(format("%0*u", {fmt_arg(3u), fmt_arg(7u)}), "007");
  EXPECT_EQ(format("%.*u|%u", {fmt_arg(2u), fmt_arg(123u), fmt_arg(5u)}), "123|5");
}

TEST(FmtStrings, WidthPadsShortStrings) {
  EXPECT_EQ(format("%5s", {fmt_arg("(MAX)")}), "(MAX)");
  EXPECT_EQ(format("%5s", {fmt_arg("")}), "     ");
  EXPECT_EQ(format("%5s", {fmt_arg("ab")}), "   ab");
}

TEST(FmtStrings, WidthCutsLongStrings) {
  EXPECT_EQ(format("%5s", {fmt_arg("abcdefg")}), "abcde");
}

TEST(FmtStrings, NullPrintsNullMarker) {
  EXPECT_EQ(format("%s", {fmt_arg(static_cast<const char*>(nullptr))}), "(NULL)");
  EXPECT_EQ(format("%5s", {fmt_arg(static_cast<const char*>(nullptr))}), "(NULL");
  EXPECT_EQ(format("%ls", {fmt_arg(static_cast<const char16_t*>(nullptr))}), "(NULL)");
}

TEST(FmtStrings, LeftFlagPadsOnTheRight) {
  EXPECT_EQ(format("%-5s|", {fmt_arg("ab")}), "ab   |");
  EXPECT_EQ(format("%-5s|", {fmt_arg("abcdefg")}), "abcde|");
  EXPECT_EQ(format("%-s|", {fmt_arg("abc")}), "abc|");
}

TEST(FmtStrings, PrecisionCapsTheCharactersCopied) {
  EXPECT_EQ(format("%.2s", {fmt_arg("abcdef")}), "ab");
  EXPECT_EQ(format("%.s|", {fmt_arg("abcdef")}), "|");
  EXPECT_EQ(format("%5.2s", {fmt_arg("abcdef")}), "   ab");
  EXPECT_EQ(format("%-5.2s|", {fmt_arg("abcdef")}), "ab   |");
  EXPECT_EQ(format("%5.0s|", {fmt_arg("abc")}), "     |");
}

TEST(FmtStrings, PrecisionAboveTheWidthLeavesShortStringsUnpadded) {
  EXPECT_EQ(format("%5.10s|", {fmt_arg("ab")}), "ab|");
}

TEST(FmtStrings, StarPrecisionFromASlot) {
  EXPECT_EQ(format("%.*s", {fmt_arg(3u), fmt_arg("abcdef")}), "abc");
  EXPECT_EQ(format("%*.*s", {fmt_arg(5u), fmt_arg(2u), fmt_arg("abcdef")}), "   ab");
}

TEST(FmtStrings, NegativeStarPrecisionIsNone) {
  EXPECT_EQ(format("%4.*s", {fmt_arg(-1), fmt_arg("ab")}), "  ab");
}

TEST(FmtStrings, WideStringsWritePrintableUnitsAndQuestionMarks) {
  const char16_t wide[] = {u'H', u'i', 0x1F, 0x7F, 0x80, 0x263A, u'!', 0};
  EXPECT_EQ(format("%ls", {fmt_arg(wide)}),
            "Hi?\x7F?"
            "?!");
  EXPECT_EQ(format("%3ls", {fmt_arg(wide)}), "Hi?");
  EXPECT_EQ(format("%10ls", {fmt_arg(wide)}),
            "   Hi?\x7F?"
            "?!");
}

TEST(FmtStrings, ShortLengthIsNarrow) {
  EXPECT_EQ(format("%hs", {fmt_arg("abc")}), "abc");
}

TEST(FmtOther, PercentAndCharacter) {
  EXPECT_EQ(format("100%%"), "100%");
  EXPECT_EQ(format("[%c]", {fmt_arg(0x141u)}), "[A]");
}

TEST(FmtOther, UnknownConversionWritesErrorMarkerAndGoesOn) {
  EXPECT_EQ(format("a%qb", {fmt_arg(1u)}), "aFMTERRb");
  EXPECT_EQ(format("%0-5u", {fmt_arg(1u)}), "FMTERR5u");
  EXPECT_EQ(format("%llu", {fmt_arg(1u)}), "FMTERRu");
}

TEST(FmtOther, PercentAtTheEndIsAnError) {
  EXPECT_EQ(format("abc%"), "abcFMTERR");
  EXPECT_EQ(format("abc%5l"), "abcFMTERR");
}

TEST(FmtOther, EmptyFormat) {
  EXPECT_EQ(format(""), "");
}

TEST(FmtOther, LivesLine) {
  EXPECT_EQ(format("Lives:%3u %5s    Round:%3u", {fmt_arg(255u), fmt_arg("(MAX)"), fmt_arg(12u)}),
            "Lives:255 (MAX)    Round: 12");
  EXPECT_EQ(format("Lives:%3u %5s    Round:%3u", {fmt_arg(3u), fmt_arg(""), fmt_arg(1u)}),
            "Lives:  3          Round:  1");
}

TEST(FmtArguments, DirectivesPastTheLastArgumentReadZeroAndNull) {
  EXPECT_EQ(format("%u %s|", {fmt_arg(5u)}), "5 (NULL)|");
  EXPECT_EQ(format("%*u|"), "0|");
}

TEST(FmtArguments, CharacterZeroIsWrittenAndCounted) {
  char buffer[8];
  EXPECT_EQ(fmt_print(buffer, "a%cb", 0u), 3);
  EXPECT_EQ(std::string(buffer, 4), std::string("a\0b\0", 4));
}

TEST(FmtCapacity, OutputThatFitsExactly) {
  const Formatted formatted = format_with(4, "abc", {});
  EXPECT_EQ(formatted.result, 3);
  EXPECT_EQ(formatted.text, "abc");
}

TEST(FmtCapacity, LongerOutputEmptiesTheBuffer) {
  const Formatted formatted = format_with(4, "abcdef", {});
  EXPECT_EQ(formatted.result, -1);
  EXPECT_EQ(formatted.text, "");
}

TEST(FmtCapacity, DirectiveThatDoesNotFitIsAnOverflow) {
  EXPECT_EQ(format_with(4, "abc%u", {fmt_arg(3u)}).result, -1);
  EXPECT_EQ(format_with(4, "ab%5u", {fmt_arg(7u)}).result, -1);
  EXPECT_EQ(format_with(4, "%7u", {fmt_arg(123u)}).result, -1);
  EXPECT_EQ(format_with(6, "%-9s", {fmt_arg("ab")}).result, -1);
  EXPECT_EQ(format_with(4, "abq%", {}).result, -1);
}

TEST(FmtCapacity, DirectiveThatWritesNothingFitsAtTheEnd) {
  const Formatted formatted = format_with(4, "abc%.0s", {fmt_arg("xyz")});
  EXPECT_EQ(formatted.result, 3);
  EXPECT_EQ(formatted.text, "abc");
}

TEST(FmtCapacity, CapacityOneHoldsOnlyTheNul) {
  EXPECT_EQ(format_with(1, "", {}).result, 0);
  EXPECT_EQ(format_with(1, "x", {}).result, -1);
}

TEST(FmtCapacity, CapacityZeroWritesNothing) {
  char buffer[2] = {'#', '#'};
  EXPECT_EQ(fmt_vprint(buffer, 0, "x", nullptr, 0), -1);
  EXPECT_EQ(buffer[0], '#');
}

TEST(FmtCapacity, HugeWidthsStopAtTheCapacity) {
  EXPECT_EQ(format_with(16, "%*u", {fmt_arg(-1), fmt_arg(1u)}).result, -1);
  EXPECT_EQ(format_with(16, "%4294967295s", {fmt_arg("a")}).result, -1);
}

TEST(FmtPrint, BoundedByTheArray) {
  char small[6];
  EXPECT_EQ(fmt_print(small, "%5u", 42u), 5);
  EXPECT_STREQ(small, "   42");
  EXPECT_EQ(fmt_print(small, "%6u", 42u), -1);
  EXPECT_STREQ(small, "");
}

TEST(FmtPrint, MixedArguments) {
  char line[40];
  const char16_t wide[] = {u'o', u'k', 0};
  EXPECT_EQ(fmt_print(line, "%s %d %u %ls", "x", -1, 2u, wide), 9);
  EXPECT_STREQ(line, "x -1 2 ok");
}

TEST(FmtCapacity, RandomFormatsFitExactlyWhenTheFullOutputFits) {
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

}  // namespace
