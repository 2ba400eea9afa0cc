#include "colours.h"

#include <gtest/gtest.h>

namespace {

TEST(AnsiColour, SwapsRedAndBlueAndKeepsBrightness) {
  const int expected[16] = {0, 4, 2, 6, 1, 5, 3, 7, 8, 12, 10, 14, 9, 13, 11, 15};
  for (int colour = 0; colour < 16; ++colour) {
    EXPECT_EQ(ansi_colour(colour), expected[colour]) << "console colour " << colour;
  }
}

TEST(ColourDepthFor, FollowsTheTerminalsColoursUnlessNoColorIsSet) {
  EXPECT_EQ(colour_depth_for(256, nullptr), ColourDepth::kSixteen);
  EXPECT_EQ(colour_depth_for(16, nullptr), ColourDepth::kSixteen);
  EXPECT_EQ(colour_depth_for(8, nullptr), ColourDepth::kEight);
  EXPECT_EQ(colour_depth_for(0, nullptr), ColourDepth::kMonochrome);
  EXPECT_EQ(colour_depth_for(-1, nullptr), ColourDepth::kMonochrome);
  EXPECT_EQ(colour_depth_for(256, "1"), ColourDepth::kMonochrome);
  EXPECT_EQ(colour_depth_for(256, ""), ColourDepth::kSixteen);
}

TEST(StyleForAttribute, EachDepthShowsTheConsoleColoursItsWay) {
  const struct {
    uint16_t attribute;
    ColourDepth depth;
    CellStyle style;
  } cases[] = {
      {0x0B, ColourDepth::kSixteen, {14, 0, false, false, false}},  // the title's cyan line
      {0x1F, ColourDepth::kSixteen, {15, 4, false, false, false}},
      {0xC00E, ColourDepth::kSixteen, {11, 0, false, false, false}},  // higher bits ignored
      // Eight colours: bright foregrounds are bold; bright backgrounds keep their hue.
      {0x0E, ColourDepth::kEight, {3, 0, true, false, false}},
      {0x04, ColourDepth::kEight, {1, 0, false, false, false}},
      {0x97, ColourDepth::kEight, {7, 4, false, false, false}},
      // Monochrome: bright is bold, dark grey dim, a coloured background reverse.
      {0x09, ColourDepth::kMonochrome, {-1, -1, true, false, false}},
      {0x07, ColourDepth::kMonochrome, {-1, -1, false, false, false}},
      {0x08, ColourDepth::kMonochrome, {-1, -1, false, true, false}},
      {0x1F, ColourDepth::kMonochrome, {-1, -1, true, false, true}},
  };
  for (const auto& c : cases) {
    const CellStyle style = style_for_attribute(c.attribute, c.depth);
    SCOPED_TRACE(c.attribute);
    EXPECT_EQ(style.foreground, c.style.foreground);
    EXPECT_EQ(style.background, c.style.background);
    EXPECT_EQ(style.bold, c.style.bold);
    EXPECT_EQ(style.dim, c.style.dim);
    EXPECT_EQ(style.reverse, c.style.reverse);
  }
}

}  // namespace
