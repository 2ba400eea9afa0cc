#include "platform/terminal/key_decoder.h"

#include "platform/terminal/glyphs.h"

namespace {

constexpr uint8_t kEscape = 0x1B;
constexpr uint8_t kEnter = 13;
constexpr uint8_t kBackspace = 8;
constexpr uint8_t kDelete = 0x7F;
// Longer escape sequences are no key a terminal sends; they are dropped rather than kept.
constexpr size_t kLongestSequence = 32;

constexpr TerminalKey kCharless{false, 0};

// A key without a character from the final byte of its sequence: A to D are the arrows.
TerminalKey sequence_key(uint8_t final_byte) {
  constexpr char kArrowLetters[] = "wsda";  // up, down, right, left
  const bool arrow = final_byte >= 'A' && final_byte <= 'D';
  return {false, 0, arrow ? static_cast<uint8_t>(kArrowLetters[final_byte - 'A']) : uint8_t{0}};
}

TerminalKey character_key(uint8_t byte) {
  if (byte == '\r' || byte == '\n') {
    return {true, kEnter};
  }
  if (byte == kDelete || byte == kBackspace) {
    return {true, kBackspace};
  }
  return {true, byte};
}

bool is_continuation(uint8_t byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

void KeyDecoder::feed(const uint8_t* bytes, size_t count, std::vector<TerminalKey>& keys) {
  pending_.insert(pending_.end(), bytes, bytes + count);
  decode(false, keys);
}

void KeyDecoder::flush(std::vector<TerminalKey>& keys) {
  decode(true, keys);
}

void KeyDecoder::decode(bool final, std::vector<TerminalKey>& keys) {
  size_t position = 0;
  while (position < pending_.size()) {
    const size_t length = key_length(position, final, keys);
    if (length == 0) {
      break;
    }
    position += length;
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(position));
}

size_t KeyDecoder::key_length(size_t start, bool final, std::vector<TerminalKey>& keys) const {
  const size_t available = pending_.size() - start;
  const uint8_t byte = pending_[start];
  if (byte >= 0x80) {
    return utf8_key_length(start, final, keys);
  }
  if (byte != kEscape) {
    keys.push_back(character_key(byte));
    return 1;
  }
  if (available == 1) {
    if (!final) {
      return 0;
    }
    keys.push_back({true, kEscape});
    return 1;
  }
  const uint8_t introducer = pending_[start + 1];
  if (introducer == 'O') {
    // SS3: one final byte, as arrows and F1..F4 send in application mode.
    if (available == 2) {
      if (!final) {
        return 0;
      }
      keys.push_back({true, kEscape});
      return 1;
    }
    keys.push_back(sequence_key(pending_[start + 2]));
    return 3;
  }
  if (introducer >= ' ' && introducer < kDelete && introducer != '[') {
    // Alt and a key, which the terminal sends as Esc and the key: the key alone, never a pause.
    keys.push_back(character_key(introducer));
    return 2;
  }
  if (introducer != '[') {
    // Esc typed just before another key.
    keys.push_back({true, kEscape});
    return 1;
  }
  // CSI: parameter and intermediate bytes, then one final byte.
  size_t end = start + 2;
  while (end < pending_.size() && pending_[end] >= 0x20 && pending_[end] <= 0x3F) {
    ++end;
  }
  if (end - start > kLongestSequence) {
    keys.push_back(kCharless);
    return end - start;
  }
  if (end == pending_.size()) {
    if (!final) {
      return 0;
    }
    keys.push_back({true, kEscape});
    return 1;
  }
  if (pending_[end] >= 0x40 && pending_[end] <= 0x7E) {
    keys.push_back(sequence_key(pending_[end]));
    return end + 1 - start;
  }
  // Not a sequence after all: the Esc key, then the bytes as typed.
  keys.push_back({true, kEscape});
  return 1;
}

size_t KeyDecoder::utf8_key_length(size_t start, bool final, std::vector<TerminalKey>& keys) const {
  const uint8_t lead = pending_[start];
  size_t length = 0;
  char32_t code_point = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code_point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code_point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code_point = lead & 0x07;
  }
  if (!utf8_ || length == 0) {
    keys.push_back(kCharless);
    return 1;
  }
  for (size_t offset = 1; offset < length; ++offset) {
    if (start + offset == pending_.size()) {
      if (!final) {
        return 0;
      }
      keys.push_back(kCharless);
      return offset;
    }
    const uint8_t byte = pending_[start + offset];
    if (!is_continuation(byte)) {
      keys.push_back(kCharless);
      return offset;
    }
    code_point = (code_point << 6) | (byte & 0x3F);
  }
  const bool overlong =
      (length == 3 && code_point < 0x800) || (length == 4 && code_point < 0x10000);
  const bool out_of_range = code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF);
  uint8_t byte = 0;
  if (!overlong && !out_of_range && cp437_byte_for(code_point, &byte)) {
    keys.push_back({true, byte});
  } else {
    keys.push_back(kCharless);
  }
  return length;
}
