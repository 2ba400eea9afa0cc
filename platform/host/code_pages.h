// The output code pages the console host knows, and how the bytes that the A functions take
// become the characters a console holds.
#pragma once

#include <cstdint>

constexpr unsigned kCodePageUs = 437;
constexpr unsigned kCodePageWesternEurope = 850;
constexpr unsigned kCodePageUtf8 = 65001;
constexpr char32_t kReplacementCharacter = U'\uFFFD';

bool known_code_page(unsigned code_page);

// Turns bytes into characters by one code page, as the console converts what is written: one
// character a byte in the single-byte code pages, control bytes as control characters; in UTF-8
// a sequence may run on into the next write, and each byte that starts no sequence, or ends one
// cut short, gives U+FFFD.
class ByteDecoder {
 public:
  explicit ByteDecoder(unsigned code_page = kCodePageUs) : code_page_(code_page) {}

  // The characters the byte completes, into out: none, one, or U+FFFD for a sequence it cuts
  // short and then its own. Their count.
  int decode(uint8_t byte, char32_t out[2]);
  // A byte by itself, as a fill takes it.
  static char32_t single(unsigned code_page, uint8_t byte);

 private:
  unsigned code_page_;
  char32_t partial_ = 0;  // the bits of the UTF-8 sequence under way
  int missing_ = 0;       // its bytes still to come
  uint8_t lowest_ = 0x80;
  uint8_t highest_ = 0xBF;  // the range of its next byte
};
