// The keys of a US keyboard, as a Windows console's key events carry them.
#pragma once

#include <cstdint>

struct KeyboardKey {
  uint16_t virtual_key;
  uint16_t scan_code;
  uint32_t control_keys;  // SHIFT_PRESSED, LEFT_CTRL_PRESSED, ENHANCED_KEY
};

// The key that types the character; for a key without one, the right arrow. A character that no
// key of the layout types comes as a typed-in character does: VK_PACKET without a scan code.
KeyboardKey keyboard_key(bool has_char, uint8_t ch);
