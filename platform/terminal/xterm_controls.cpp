#include "platform/terminal/xterm_controls.h"

#include <cstring>

#include "platform/host/cp437.h"
#include "platform/terminal/glyphs.h"

namespace {

constexpr const char* kXtermFamilies[] = {
    "xterm", "screen", "tmux",    "rxvt",  "alacritty", "kitty",   "foot", "wezterm",
    "vte",   "gnome",  "konsole", "putty", "mintty",    "contour", "st-",  "iterm",
};

}  // namespace

bool speaks_xterm_controls(const char* term) {
  if (term == nullptr) {
    return false;
  }
  if (std::strcmp(term, "st") == 0) {
    return true;
  }
  for (const char* family : kXtermFamilies) {
    if (std::strncmp(term, family, std::strlen(family)) == 0) {
      return true;
    }
  }
  return false;
}

std::string title_sequence(const std::string& title, bool utf8) {
  std::string sequence = "\033]2;";
  for (const char character : title) {
    const auto byte = static_cast<uint8_t>(character);
    if (byte < 0x20 || byte == 0x7F) {
      continue;
    }
    if (byte < 0x80) {
      sequence += character;
    } else if (utf8) {
      append_utf8(sequence, cp437_to_unicode(byte));
    } else {
      sequence += ascii_stand_in(byte);
    }
  }
  sequence += '\a';
  return sequence;
}

std::string resize_sequence(int rows, int columns) {
  return "\033[8;" + std::to_string(rows) + ";" + std::to_string(columns) + "t";
}
