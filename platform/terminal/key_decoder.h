// Turns the bytes a terminal sends for key presses into console keys.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct TerminalKey {
  bool has_char;       // false for keys that give no character: arrows, function keys
  uint8_t ch;          // the code-page-437 character when has_char
  uint8_t steers = 0;  // for an arrow, the letter that steers the same way: w, a, s or d
};

// Keys come as single bytes, as UTF-8 sequences (in a UTF-8 locale) or as escape sequences
// (CSI and SS3, which arrows, keypad arrows included, and function keys send). Enter gives 13 like
// a console does, Backspace gives 8, a lone Esc gives 27, and a character above 0x7F gives its
// code-page-437 byte where the code page has one, else a key without a character.
class KeyDecoder {
 public:
  explicit KeyDecoder(bool utf8) : utf8_(utf8) {}

  // Appends the keys the bytes complete; an unfinished sequence at the end is kept for later.
  void feed(const uint8_t* bytes, size_t count, std::vector<TerminalKey>& keys);
  // No more bytes came in time: what is kept is taken as typed (a kept ESC is the Esc key).
  void flush(std::vector<TerminalKey>& keys);
  // An unfinished sequence is kept.
  bool pending() const { return !pending_.empty(); }

 private:
  void decode(bool final, std::vector<TerminalKey>& keys);
  // The length of the key at position start of pending_, or 0 when it is unfinished.
  size_t key_length(size_t start, bool final, std::vector<TerminalKey>& keys) const;
  size_t utf8_key_length(size_t start, bool final, std::vector<TerminalKey>& keys) const;

  bool utf8_;
  std::vector<uint8_t> pending_;
};
