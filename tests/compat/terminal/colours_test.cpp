#include "colours.h"

#include <gtest/gtest.h>

namespace {

TEST(AnsiColour, SwapsRedAndBlueAndKeepsBrightness) {
  const int expected[16] = {0, 4, 2, 6, 1, 5, 3, 7, 8, 12, 10, 14, 9, 13, 11, 15};
  for (int colour = 0; colour < 16; ++colour) {
    EXPECT_EQ(ansi_colour(colour), expected[colour]) << "console colour " << colour;
  }
}

TEST(ColourDepthFor, FollowsTheTerminalsColours) {
  EXPECT_EQ(colour_depth_for(256, nullptr), ColourDepth::kSixteen);
  EXPECT_EQ(colour_depth_for(16, nullptr), ColourDepth::kSixteen);
  EXPECT_EQ(colour_depth_for(8, nullptr), ColourDepth::kEight);
  EXPECT_EQ(colour_depth_for(0, nullptr), ColourDepth::kMonochrome);
  EXPECT_EQ(colour_depth_for(-1, nullptr), ColourDepth::kMonochrome);
}

TEST(ColourDepthFor, NoColorSetAndNotEmptyMeansMonochrome) {
  EXPECT_EQ(colour_depth_for(256, "1"), ColourDepth::kMonochrome);
  EXPECT_EQ(colour_depth_for(256, ""), ColourDepth::kSixteen);
}

TEST(StyleForAttribute, SixteenColoursShowEveryConsoleColour) {
  // Cyan (11) on black: the title's tagline.
  const CellStyle tagline = style_for_attribute(0x0B, ColourDepth::kSixteen);
  EXPECT_EQ(tagline.foreground, 14);
  EXPECT_EQ(tagline.background, 0);
  EXPECT_FALSE(tagline.bold);
  // White on dark blue.
  const CellStyle banner = style_for_attribute(0x1F, ColourDepth::kSixteen);
  EXPECT_EQ(banner.foreground, 15);
  EXPECT_EQ(banner.background, 4);
  EXPECT_FALSE(banner.reverse);
}

TEST(StyleForAttribute, EightColoursShowBrightForegroundsAsBold) {
  const CellStyle yellow = style_for_attribute(0x0E, ColourDepth::kEight);
  EXPECT_EQ(yellow.foreground, 3);
  EXPECT_EQ(yellow.background, 0);
  EXPECT_TRUE(yellow.bold);
  const CellStyle dark_red = style_for_attribute(0x04, ColourDepth::kEight);
  EXPECT_EQ(dark_red.foreground, 1);
  EXPECT_FALSE(dark_red.bold);
  // A bright background loses its brightness, not its hue.
  const CellStyle on_bright_blue = style_for_attribute(0x97, ColourDepth::kEight);
  EXPECT_EQ(on_bright_blue.background, 4);
  EXPECT_EQ(on_bright_blue.foreground, 7);
}

TEST(StyleForAttribute, MonochromeKeepsTheBoardReadable) {
  const CellStyle wall = style_for_attribute(0x09, ColourDepth::kMonochrome);
  EXPECT_EQ(wall.foreground, -1);
  EXPECT_EQ(wall.background, -1);
  EXPECT_TRUE(wall.bold);
  EXPECT_FALSE(wall.reverse);
  const CellStyle pellet = style_for_attribute(0x07, ColourDepth::kMonochrome);
  EXPECT_FALSE(pellet.bold);
  EXPECT_FALSE(pellet.dim);
  const CellStyle dark_grey = style_for_attribute(0x08, ColourDepth::kMonochrome);
  EXPECT_FALSE(dark_grey.bold);
  EXPECT_TRUE(dark_grey.dim);
  const CellStyle highlighted = style_for_attribute(0x1F, ColourDepth::kMonochrome);
  EXPECT_TRUE(highlighted.reverse);
  EXPECT_TRUE(highlighted.bold);
}

TEST(StyleForAttribute, BitsAboveTheColoursAreIgnored) {
  const CellStyle plain = style_for_attribute(0x0E, ColourDepth::kSixteen);
  const CellStyle with_high_bits = style_for_attribute(0xC00E, ColourDepth::kSixteen);
  EXPECT_EQ(with_high_bits.foreground, plain.foreground);
  EXPECT_EQ(with_high_bits.background, plain.background);
}

}  // namespace
