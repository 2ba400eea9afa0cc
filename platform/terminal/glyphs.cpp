#include "platform/terminal/glyphs.h"

#include "platform/host/cp437.h"

namespace {

constexpr char kLowStandIns[33] = " @@HDCSooooo+%%*><|!PS_|^v><L-^v";  // 0x00..0x1F

constexpr char kHighStandIns[129] =
    "CueaaaaceeeiiiAA"   // 0x80
    "EaAooouuyOUcLYPf"   // 0x90
    "aiounNao?--?\?!<>"  // 0xA0
    ":%#|++++++|+++++"   // 0xB0: shades, then box drawing
    "++++-++++++++=++"   // 0xC0
    "+++++++++++#####"   // 0xD0: box drawing, then blocks
    "aBGpEoutFOWd8fen"   // 0xE0: Greek letters and a few signs
    "=+><()/~o..vn2# ";  // 0xF0

}  // namespace

char ascii_stand_in(uint8_t byte) {
  if (byte < 0x20) {
    return kLowStandIns[byte];
  }
  if (byte == 0x7F) {
    return '^';
  }
  if (byte < 0x80) {
    return static_cast<char>(byte);
  }
  return kHighStandIns[byte - 0x80];
}

bool cp437_byte_for(char32_t code_point, uint8_t* byte) {
  if (code_point < 0x80) {
    return false;
  }
  for (int candidate = 0x80; candidate <= 0xFF; ++candidate) {
    if (cp437_to_unicode(static_cast<uint8_t>(candidate)) == code_point) {
      *byte = static_cast<uint8_t>(candidate);
      return true;
    }
  }
  return false;
}
