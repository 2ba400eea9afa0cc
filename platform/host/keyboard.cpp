#include "platform/host/keyboard.h"

#include <windows.h>

#include <cstring>

namespace {

// The characters of the keys, unshifted and shifted, by scan code from 0x02 on; a space where the
// scan code is no character key.
constexpr char kUnshifted[] = "1234567890-=  qwertyuiop[]  asdfghjkl;'` \\zxcvbnm,./";
constexpr char kShifted[] = "!@#$%^&*()_+  QWERTYUIOP{}  ASDFGHJKL:\"~ |ZXCVBNM<>?";
constexpr uint16_t kFirstScanCode = 0x02;

// The virtual keys of the character keys that are neither letters nor digits.
struct PunctuationKey {
  char unshifted;
  uint16_t virtual_key;
};
constexpr PunctuationKey kPunctuation[] = {
    {'-', VK_OEM_MINUS}, {'=', VK_OEM_PLUS},   {'[', VK_OEM_4}, {']', VK_OEM_6},
    {';', VK_OEM_1},     {'\'', VK_OEM_7},     {'`', VK_OEM_3}, {'\\', VK_OEM_5},
    {',', VK_OEM_COMMA}, {'.', VK_OEM_PERIOD}, {'/', VK_OEM_2},
};

// Keys whose character is a control character, each with the control keys held for it.
constexpr struct {
  uint8_t ch;
  KeyboardKey key;
} kControlKeys[] = {
    {0x08, {VK_BACK, 0x0E, 0}},
    {0x09, {VK_TAB, 0x0F, 0}},
    {0x0A, {VK_RETURN, 0x1C, LEFT_CTRL_PRESSED}},  // Ctrl+Enter
    {0x0D, {VK_RETURN, 0x1C, 0}},
    {0x1B, {VK_ESCAPE, 0x01, 0}},
    {0x7F, {VK_BACK, 0x0E, LEFT_CTRL_PRESSED}},
    {' ', {VK_SPACE, 0x39, 0}},
};

// The key that types the printable ASCII character, if there is one.
bool character_key(char ch, KeyboardKey& key) {
  const char* rows[] = {kUnshifted, kShifted};
  for (int shifted = 0; shifted < 2; ++shifted) {
    const char* found = ch == ' ' ? nullptr : std::strchr(rows[shifted], ch);
    if (found == nullptr) {
      continue;
    }
    const auto index = static_cast<size_t>(found - rows[shifted]);
    const char base = kUnshifted[index];
    uint16_t virtual_key = 0;
    if ((base >= '0' && base <= '9') || (base >= 'a' && base <= 'z')) {
      virtual_key = static_cast<uint16_t>(base >= 'a' ? base - 'a' + 'A' : base);
    }
    for (const PunctuationKey& punctuation : kPunctuation) {
      if (punctuation.unshifted == base) {
        virtual_key = punctuation.virtual_key;
      }
    }
    key = {virtual_key, static_cast<uint16_t>(kFirstScanCode + index),
           shifted != 0 ? static_cast<uint32_t>(SHIFT_PRESSED) : 0u};
    return true;
  }
  return false;
}

}  // namespace

KeyboardKey keyboard_key(bool has_char, uint8_t ch) {
  if (!has_char) {
    return {VK_RIGHT, 0x4D, ENHANCED_KEY};
  }
  for (const auto& control : kControlKeys) {
    if (control.ch == ch) {
      return control.key;
    }
  }
  KeyboardKey key = {};
  // Ctrl with a letter types 0x01 to 0x1A, with 2 (that is @) NUL, and with [ \ ] 6 - the rest.
  constexpr char kControlBases[] = "@abcdefghijklmnopqrstuvwxyz[\\]^_";
  if (ch < 0x20 && character_key(kControlBases[ch], key)) {
    key.control_keys |= LEFT_CTRL_PRESSED;
    return key;
  }
  if (ch < 0x80 && character_key(static_cast<char>(ch), key)) {
    return key;
  }
  return {VK_PACKET, 0, 0};
}
