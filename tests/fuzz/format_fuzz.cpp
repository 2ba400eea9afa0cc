// The formatter with any format, arguments and capacity. The destination is exactly capacity
// bytes, so AddressSanitizer sees any write past it; the output must be NUL-terminated, agree
// with the count returned, and be the whole output when that fits, else an empty overflow.
//
// Input: a line with the capacity in decimal (1 to 65536), a line of numbers (decimal or 0x hex,
// an optional '-'), a line of texts separated by '|' ("~" a null text, a leading 'L' a string of
// 16-bit units), then the format to the end of the input. Slot i takes number i and text i.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "runtime/format.h"

namespace {

constexpr uint32_t kMostCapacity = 65536;
// Enough for any output that fits the largest capacity, so the two can be compared.
constexpr uint32_t kRoomyCapacity = 2 * kMostCapacity;
constexpr char kUntouched = '\x5A';

struct Reader {
  const char* at;
  const char* end;

  // The text up to the next line end, which is passed over; the rest of the input at the end.
  std::string line() {
    const char* start = at;
    while (at != end && *at != '\n') {
      ++at;
    }
    std::string text(start, at);
    if (at != end) {
      ++at;
    }
    return text;
  }
};

uint32_t parse_capacity(const std::string& text) {
  uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      break;
    }
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > kMostCapacity) {
      return kMostCapacity;
    }
  }
  return value == 0 ? 1 : static_cast<uint32_t>(value);
}

std::vector<uint32_t> parse_numbers(const std::string& text) {
  std::vector<uint32_t> numbers;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') {
      ++i;
    }
    if (i == text.size()) {
      break;
    }
    const bool negative = text[i] == '-';
    if (negative) {
      ++i;
    }
    uint32_t base = 10;
    if (text.compare(i, 2, "0x") == 0) {
      base = 16;
      i += 2;
    }
    uint32_t value = 0;
    for (; i < text.size() && text[i] != ' '; ++i) {
      const char c = text[i];
      const uint32_t digit = c >= '0' && c <= '9'   ? static_cast<uint32_t>(c - '0')
                             : c >= 'a' && c <= 'f' ? static_cast<uint32_t>(c - 'a' + 10)
                                                    : static_cast<uint32_t>(c) % base;
      value = value * base + digit % base;
    }
    numbers.push_back(negative ? 0u - value : value);
  }
  return numbers;
}

// A text argument in storage that ends in two zero 16-bit units, so that it reads safely as a
// narrow string and as a string of 16-bit units alike.
struct TextArg {
  bool null;
  std::vector<char16_t> units;
};

std::vector<TextArg> parse_texts(const std::string& text) {
  std::vector<TextArg> texts;
  if (text.empty()) {
    return texts;
  }
  size_t begin = 0;
  for (;;) {
    const size_t bar = text.find('|', begin);
    const std::string piece = text.substr(begin, bar == std::string::npos ? bar : bar - begin);
    TextArg arg{piece == "~", {}};
    if (!piece.empty() && piece[0] == 'L') {
      for (size_t i = 1; i < piece.size(); ++i) {
        arg.units.push_back(static_cast<unsigned char>(piece[i]));
      }
    } else {
      arg.units.resize(piece.size() / 2 + 1, 0);
      std::memcpy(arg.units.data(), piece.data(), piece.size());
    }
    arg.units.push_back(0);
    arg.units.push_back(0);
    texts.push_back(std::move(arg));
    if (bar == std::string::npos) {
      return texts;
    }
    begin = bar + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Reader reader{reinterpret_cast<const char*>(data), reinterpret_cast<const char*>(data) + size};
  const uint32_t capacity = parse_capacity(reader.line());
  const std::vector<uint32_t> numbers = parse_numbers(reader.line());
  const std::vector<TextArg> texts = parse_texts(reader.line());
  const std::string format(reader.at, reader.end);

  // Exactly as many slots as arguments: a read past the last one is an overflow.
  const size_t slot_count = std::max(numbers.size(), texts.size());
  const auto slots = std::make_unique<FmtArg[]>(slot_count);
  for (size_t i = 0; i < slot_count; ++i) {
    slots[i].number = i < numbers.size() ? numbers[i] : 0;
    slots[i].text = i < texts.size() && !texts[i].null ? texts[i].units.data() : nullptr;
  }

  const auto dest = std::make_unique_for_overwrite<char[]>(capacity);
  std::memset(dest.get(), kUntouched, capacity);
  const int written = fmt_vprint(dest.get(), capacity, format.c_str(), slots.get(),
                                 static_cast<uint32_t>(slot_count));

  FUZZ_CHECK(written >= -1);
  FUZZ_CHECK(dest[0] == '\0' || written > 0);
  if (written == -1) {
    FUZZ_CHECK(dest[0] == '\0');
    // The last byte is kept for the NUL; an output that did not fit never reaches it.
    FUZZ_CHECK(capacity == 1 || dest[capacity - 1] == kUntouched);
  } else {
    const auto length = static_cast<uint32_t>(written);
    FUZZ_CHECK(length < capacity);
    FUZZ_CHECK(dest[length] == '\0');
    for (uint32_t i = length + 1; i < capacity; ++i) {
      FUZZ_CHECK(dest[i] == kUntouched);
    }
  }

  // The same in a buffer roomy enough for any output that fits the largest capacity: an output
  // is written whole when it fits, and otherwise not at all.
  const auto roomy = std::make_unique_for_overwrite<char[]>(kRoomyCapacity);
  const int whole = fmt_vprint(roomy.get(), kRoomyCapacity, format.c_str(), slots.get(),
                               static_cast<uint32_t>(slot_count));
  if (whole >= 0 && static_cast<uint32_t>(whole) < capacity) {
    FUZZ_CHECK(written == whole);
    FUZZ_CHECK(std::memcmp(dest.get(), roomy.get(), static_cast<size_t>(whole) + 1) == 0);
  } else {
    FUZZ_CHECK(written == -1);
  }
  return 0;
}
