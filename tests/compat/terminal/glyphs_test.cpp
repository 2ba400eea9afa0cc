#include "glyphs.h"

#include <gtest/gtest.h>

#include "cp437.h"

namespace {

TEST(AsciiStandIn, EveryByteGivesPrintableAsciiAndPrintableAsciiStandsForItself) {
  for (int byte = 0; byte < 256; ++byte) {
    const char shown = ascii_stand_in(static_cast<uint8_t>(byte));
    EXPECT_GE(shown, 0x20) << "byte " << byte;
    EXPECT_LT(shown, 0x7F) << "byte " << byte;
    if (byte >= 0x20 && byte < 0x7F) {
      EXPECT_EQ(shown, byte);
    }
  }
}

TEST(AsciiStandIn, WallsFiguresItemsAndLettersStayDistinct) {
  const struct {
    const char* bytes;
    char shown;
  } cases[] = {
      {"\xCD", '='},  // double horizontal
      {"\xBA\xB3", '|'},
      {"\xC4", '-'},  // single horizontal (doors)
      {"\xBC\xC8\xBB\xC9\xCE\xCC\xB9\xCB\xCA\xD9\xC0\xBF\xDA\xC5\xC3\xB4\xC2\xC1", '+'},
      {"\x03", 'H'},
      {"\x04", 'D'},
      {"\x05", 'C'},
      {"\x06", 'S'},
      {"\xF9", '.'},  // pellet
      {"\x0F", '*'},  // power pellet
      {"\xEC", '8'},  // chaser going home
      {"\xDB\xDC\xDD\xDE\xDF\xB2", '#'},
      {"\xB1", '%'},
      {"\xB0", ':'},
      {"\x82", 'e'},  // accented letters lose their accents
      {"\x80", 'C'},
      {"\x9A", 'U'},
      {"\xA4", 'n'},
  };
  for (const auto& c : cases) {
    for (const char* byte = c.bytes; *byte != '\0'; ++byte) {
      EXPECT_EQ(ascii_stand_in(static_cast<uint8_t>(*byte)), c.shown)
          << static_cast<int>(static_cast<uint8_t>(*byte));
    }
  }
  EXPECT_EQ(ascii_stand_in(0), ' ');
}

TEST(Cp437ByteFor, EveryHighGlyphMapsBackToItsByteAndNothingElseHasOne) {
  for (int byte = 0x80; byte < 256; ++byte) {
    uint8_t found = 0;
    ASSERT_TRUE(cp437_byte_for(cp437_to_unicode(static_cast<uint8_t>(byte)), &found)) << byte;
    EXPECT_EQ(found, byte);
  }
  uint8_t found = 0x55;
  // ASCII, the euro sign, the smiling face (a glyph only below 0x20), an emoji.
  for (const char32_t none : {U'a', U'\u20AC', U'\u263A', U'\U0001F600'}) {
    EXPECT_FALSE(cp437_byte_for(none, &found)) << static_cast<uint32_t>(none);
  }
  EXPECT_EQ(found, 0x55);
}

}  // namespace
