#include "platform/terminal/colours.h"

#include "console/palette.h"

ColourDepth colour_depth_for(int terminal_colours, const char* no_color) {
  if (no_color != nullptr && no_color[0] != '\0') {
    return ColourDepth::kMonochrome;
  }
  if (terminal_colours >= kColourCount) {
    return ColourDepth::kSixteen;
  }
  if (terminal_colours >= 8) {
    return ColourDepth::kEight;
  }
  return ColourDepth::kMonochrome;
}

int ansi_colour(int console_colour) {
  const int blue = console_colour & 1;
  const int green = (console_colour >> 1) & 1;
  const int red = (console_colour >> 2) & 1;
  return red | (green << 1) | (blue << 2) | (console_colour & kBrightBit);
}

CellStyle style_for_attribute(uint16_t attribute, ColourDepth depth) {
  const int foreground = attribute & 0x0F;
  const int background = (attribute >> 4) & 0x0F;
  CellStyle style{-1, -1, false, false, false};
  switch (depth) {
    case ColourDepth::kSixteen:
      style.foreground = ansi_colour(foreground);
      style.background = ansi_colour(background);
      break;
    case ColourDepth::kEight:
      style.foreground = ansi_colour(foreground) & 7;
      style.background = ansi_colour(background) & 7;
      style.bold = (foreground & kBrightBit) != 0;
      break;
    case ColourDepth::kMonochrome:
      style.bold = (foreground & kBrightBit) != 0 && foreground != kDarkGrey;
      style.dim = foreground == kDarkGrey;
      style.reverse = background != 0;
      break;
  }
  return style;
}
