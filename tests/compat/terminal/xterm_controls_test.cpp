#include "xterm_controls.h"

#include <gtest/gtest.h>

namespace {

TEST(SpeaksXtermControls, TheXtermFamilyOnly) {
  for (const char* term : {"xterm", "xterm-256color", "tmux-256color", "screen", "screen.xterm",
                           "rxvt-unicode", "alacritty", "st", "st-256color", "foot"}) {
    EXPECT_TRUE(speaks_xterm_controls(term)) << term;
  }
  for (const char* term : {"linux", "vt100", "dumb", "sun", "stterm-nothing", ""}) {
    EXPECT_FALSE(speaks_xterm_controls(term)) << term;
  }
  EXPECT_FALSE(speaks_xterm_controls(nullptr));
}

TEST(TitleSequence, SetsTheTitleWithGlyphsForTheLocaleAndNoControlCharacters) {
  EXPECT_EQ(title_sequence("Mazewick 1.0", true), "\033]2;Mazewick 1.0\a");
  EXPECT_EQ(title_sequence("a\a\033]0;evil\x9c\x7f"
                           "b",
                           false),
            "\033]2;a]0;evilLb\a");
  EXPECT_EQ(title_sequence("\x82t\xe9", true), "\033]2;\xc3\xa9t\xce\x98\a");
  EXPECT_EQ(title_sequence("\x82t\xe9", false), "\033]2;etO\a");
}

TEST(ResizeSequence, RowsThenColumns) {
  EXPECT_EQ(resize_sequence(33, 55), "\033[8;33;55t");
}

}  // namespace
