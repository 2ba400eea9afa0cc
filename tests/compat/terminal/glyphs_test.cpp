#include "glyphs.h"

#include <gtest/gtest.h>

#include "cp437.h"

namespace {

TEST(AsciiStandIn, PrintableAsciiStandsForItself) {
  for (int byte = 0x20; byte < 0x7F; ++byte) {
    EXPECT_EQ(ascii_stand_in(static_cast<uint8_t>(byte)), byte);
  }
}

TEST(AsciiStandIn, EveryByteGivesAPrintableAsciiCharacter) {
  for (int byte = 0; byte < 256; ++byte) {
    const char shown = ascii_stand_in(static_cast<uint8_t>(byte));
    EXPECT_GE(shown, 0x20) << "byte " << byte;
    EXPECT_LT(shown, 0x7F) << "byte " << byte;
  }
}

TEST(AsciiStandIn, MazeWallsKeepTheirDirection) {
  EXPECT_EQ(ascii_stand_in(0xCD), '=');  // double horizontal
  EXPECT_EQ(ascii_stand_in(0xBA), '|');  // double vertical
  EXPECT_EQ(ascii_stand_in(0xC4), '-');  // single horizontal (doors)
  EXPECT_EQ(ascii_stand_in(0xB3), '|');  // single vertical
  for (const uint8_t corner_or_tee : {0xBC, 0xC8, 0xBB, 0xC9, 0xCE, 0xCC, 0xB9, 0xCB, 0xCA, 0xD9,
                                      0xC0, 0xBF, 0xDA, 0xC5, 0xC3, 0xB4, 0xC2, 0xC1}) {
    EXPECT_EQ(ascii_stand_in(corner_or_tee), '+') << static_cast<int>(corner_or_tee);
  }
}

TEST(AsciiStandIn, FiguresAndItemsStayDistinct) {
  EXPECT_EQ(ascii_stand_in(3), 'H');
  EXPECT_EQ(ascii_stand_in(4), 'D');
  EXPECT_EQ(ascii_stand_in(5), 'C');
  EXPECT_EQ(ascii_stand_in(6), 'S');
  EXPECT_EQ(ascii_stand_in(0xF9), '.');  // pellet
  EXPECT_EQ(ascii_stand_in(15), '*');    // power pellet
  EXPECT_EQ(ascii_stand_in(0xEC), '8');  // chaser going home
  EXPECT_EQ(ascii_stand_in(0), ' ');
}

TEST(AsciiStandIn, BlocksAndShades) {
  for (const uint8_t block : {0xDB, 0xDC, 0xDD, 0xDE, 0xDF, 0xB2}) {
    EXPECT_EQ(ascii_stand_in(block), '#') << static_cast<int>(block);
  }
  EXPECT_EQ(ascii_stand_in(0xB1), '%');
  EXPECT_EQ(ascii_stand_in(0xB0), ':');
}

TEST(AsciiStandIn, AccentedLettersLoseTheirAccents) {
  EXPECT_EQ(ascii_stand_in(0x82), 'e');  // é
  EXPECT_EQ(ascii_stand_in(0x80), 'C');  // Ç
  EXPECT_EQ(ascii_stand_in(0x9A), 'U');  // Ü
  EXPECT_EQ(ascii_stand_in(0xA4), 'n');  // ñ
}

TEST(Cp437ByteFor, EveryHighGlyphMapsBackToItsByte) {
  for (int byte = 0x80; byte < 256; ++byte) {
    uint8_t found = 0;
    ASSERT_TRUE(cp437_byte_for(cp437_to_unicode(static_cast<uint8_t>(byte)), &found)) << byte;
    EXPECT_EQ(found, byte);
  }
}

TEST(Cp437ByteFor, AsciiAndCharactersOutsideTheCodePageHaveNone) {
  uint8_t found = 0x55;
  EXPECT_FALSE(cp437_byte_for(U'a', &found));
  EXPECT_FALSE(cp437_byte_for(U'\u20AC', &found));  // euro sign
  EXPECT_FALSE(cp437_byte_for(U'\u263A', &found));  // smiling face: only below 0x20
  EXPECT_FALSE(cp437_byte_for(U'\U0001F600', &found));
  EXPECT_EQ(found, 0x55);
}

}  // namespace
