// How console text attributes look on a terminal with few, 8 or 16 and more colours.
#pragma once

#include <cstdint>

enum class ColourDepth {
  kMonochrome,  // no colour: bold, dim and reverse carry the difference
  kEight,       // eight colours: bright foregrounds are bold, bright backgrounds lose brightness
  kSixteen,     // sixteen colours or more: every console colour has its own terminal colour
};

// What a terminal offers: its number of colours, and the NO_COLOR variable (null when unset).
ColourDepth colour_depth_for(int terminal_colours, const char* no_color);

// The ANSI colour number (red 1, green 2, blue 4, bright + 8) of a console colour number
// (bit 0 blue, bit 1 green, bit 2 red, bit 3 bright).
int ansi_colour(int console_colour);

struct CellStyle {
  int foreground;  // ANSI colour number, or -1 when no colour is used
  int background;  // ANSI colour number, or -1 when no colour is used
  bool bold;
  bool dim;
  bool reverse;
};

// The look of a cell with the given text attribute (background * 16 + foreground).
CellStyle style_for_attribute(uint16_t attribute, ColourDepth depth);
