#include "platform/host/code_pages.h"

#include "platform/host/cp437.h"

namespace {

constexpr char32_t kCp850High[128] = {
    U'\u00C7', U'\u00FC', U'\u00E9', U'\u00E2', U'\u00E4', U'\u00E0', U'\u00E5', U'\u00E7',  // 0x80
    U'\u00EA', U'\u00EB', U'\u00E8', U'\u00EF', U'\u00EE', U'\u00EC', U'\u00C4', U'\u00C5',  // 0x88
    U'\u00C9', U'\u00E6', U'\u00C6', U'\u00F4', U'\u00F6', U'\u00F2', U'\u00FB', U'\u00F9',  // 0x90
    U'\u00FF', U'\u00D6', U'\u00DC', U'\u00F8', U'\u00A3', U'\u00D8', U'\u00D7', U'\u0192',  // 0x98
    U'\u00E1', U'\u00ED', U'\u00F3', U'\u00FA', U'\u00F1', U'\u00D1', U'\u00AA', U'\u00BA',  // 0xA0
    U'\u00BF', U'\u00AE', U'\u00AC', U'\u00BD', U'\u00BC', U'\u00A1', U'\u00AB', U'\u00BB',  // 0xA8
    U'\u2591', U'\u2592', U'\u2593', U'\u2502', U'\u2524', U'\u00C1', U'\u00C2', U'\u00C0',  // 0xB0
    U'\u00A9', U'\u2563', U'\u2551', U'\u2557', U'\u255D', U'\u00A2', U'\u00A5', U'\u2510',  // 0xB8
    U'\u2514', U'\u2534', U'\u252C', U'\u251C', U'\u2500', U'\u253C', U'\u00E3', U'\u00C3',  // 0xC0
    U'\u255A', U'\u2554', U'\u2569', U'\u2566', U'\u2560', U'\u2550', U'\u256C', U'\u00A4',  // 0xC8
    U'\u00F0', U'\u00D0', U'\u00CA', U'\u00CB', U'\u00C8', U'\u0131', U'\u00CD', U'\u00CE',  // 0xD0
    U'\u00CF', U'\u2518', U'\u250C', U'\u2588', U'\u2584', U'\u00A6', U'\u00CC', U'\u2580',  // 0xD8
    U'\u00D3', U'\u00DF', U'\u00D4', U'\u00D2', U'\u00F5', U'\u00D5', U'\u00B5', U'\u00FE',  // 0xE0
    U'\u00DE', U'\u00DA', U'\u00DB', U'\u00D9', U'\u00FD', U'\u00DD', U'\u00AF', U'\u00B4',  // 0xE8
    U'\u00AD', U'\u00B1', U'\u2017', U'\u00BE', U'\u00B6', U'\u00A7', U'\u00F7', U'\u00B8',  // 0xF0
    U'\u00B0', U'\u00A8', U'\u00B7', U'\u00B9', U'\u00B3', U'\u00B2', U'\u25A0', U'\u00A0',  // 0xF8
};

}  // namespace

bool known_code_page(unsigned code_page) {
  return code_page == kCodePageUs || code_page == kCodePageWesternEurope ||
         code_page == kCodePageUtf8;
}

char32_t ByteDecoder::single(unsigned code_page, uint8_t byte) {
  if (byte < 0x80) {
    return byte;
  }
  if (code_page == kCodePageUtf8) {
    return kReplacementCharacter;
  }
  return code_page == kCodePageWesternEurope ? kCp850High[byte - 0x80] : cp437_to_unicode(byte);
}

int ByteDecoder::decode(uint8_t byte, char32_t out[2]) {
  if (code_page_ != kCodePageUtf8) {
    out[0] = single(code_page_, byte);
    return 1;
  }
  int count = 0;
  if (missing_ != 0) {
    if (byte >= lowest_ && byte <= highest_) {
      partial_ = (partial_ << 6) | (byte & 0x3F);
      lowest_ = 0x80;
      highest_ = 0xBF;
      if (--missing_ == 0) {
        out[count++] = partial_;
      }
      return count;
    }
    missing_ = 0;
    out[count++] = kReplacementCharacter;
  }
  // The lead bytes, with the range of the byte after them that keeps a sequence the shortest
  // for its character and outside the surrogates.
  lowest_ = 0x80;
  highest_ = 0xBF;
  if (byte < 0x80) {
    out[count++] = byte;
  } else if (byte >= 0xC2 && byte <= 0xDF) {
    partial_ = byte & 0x1F;
    missing_ = 1;
  } else if (byte >= 0xE0 && byte <= 0xEF) {
    partial_ = byte & 0x0F;
    missing_ = 2;
    lowest_ = byte == 0xE0 ? 0xA0 : 0x80;
    highest_ = byte == 0xED ? 0x9F : 0xBF;
  } else if (byte >= 0xF0 && byte <= 0xF4) {
    partial_ = byte & 0x07;
    missing_ = 3;
    lowest_ = byte == 0xF0 ? 0x90 : 0x80;
    highest_ = byte == 0xF4 ? 0x8F : 0xBF;
  } else {
    out[count++] = kReplacementCharacter;
  }
  return count;
}
