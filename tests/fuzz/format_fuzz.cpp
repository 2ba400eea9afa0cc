// The formatter with any format, arguments and capacity. The destination is exactly capacity
// bytes, so AddressSanitizer sees any write past it; the output must be NUL-terminated, agree
// with the count returned, and be the whole output when that fits, else an empty overflow.
//
// Input: a line with the capacity in decimal (1 to 65536); a line of numbers as C writes them
// (0x hex, a leading 0 octal, an optional '-'); a line of texts split by '|' ("~" a null text, a
// leading 'L' 16-bit units); the format to the end. Slot i takes number i and text i.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/format.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

constexpr uint32_t kMostCapacity = 65536;
constexpr char kUntouched = '\x5A';

// A text in storage that ends in two zero 16-bit units, so that it reads safely as a narrow
// string and as a string of 16-bit units alike.
std::vector<char16_t> text_units(const std::string& piece) {
  std::vector<char16_t> units(piece.size() / 2 + 1, 0);
  if (!piece.empty() && piece[0] == 'L') {
    const auto* const bytes = reinterpret_cast<const unsigned char*>(piece.data());
    units.assign(bytes + 1, bytes + piece.size());
  } else {
    std::memcpy(units.data(), piece.data(), piece.size());
  }
  units.insert(units.end(), {0, 0});
  return units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  std::string capacity_line, numbers_line, texts_line;
  std::getline(std::getline(std::getline(input, capacity_line), numbers_line), texts_line);
  const std::string format(std::istreambuf_iterator<char>(input), {});
  const uint64_t asked = std::strtoull(("0" + capacity_line).c_str(), nullptr, 10);
  const auto capacity = static_cast<uint32_t>(std::clamp<uint64_t>(asked, 1, kMostCapacity));

  std::vector<uint32_t> numbers;
  std::istringstream number_words(numbers_line);
  for (std::string word; number_words >> word;) {
    numbers.push_back(static_cast<uint32_t>(std::strtoul(word.c_str(), nullptr, 0)));
  }
  std::vector<std::vector<char16_t>> texts;
  std::istringstream text_pieces(texts_line);
  for (std::string piece; std::getline(text_pieces, piece, '|');) {
    texts.push_back(piece == "~" ? std::vector<char16_t>{} : text_units(piece));
  }

  // Exactly as many slots as arguments: a read past the last one is an overflow.
  const size_t slot_count = std::max(numbers.size(), texts.size());
  const auto slots = std::make_unique<FmtArg[]>(slot_count);
  for (size_t i = 0; i < slot_count; ++i) {
    slots[i] = {i < numbers.size() ? numbers[i] : 0,
                i < texts.size() && !texts[i].empty() ? texts[i].data() : nullptr};
  }
  const auto print = [&](char* dest, uint32_t room) {
    return fmt_vprint(dest, room, format.c_str(), slots.get(), static_cast<uint32_t>(slot_count));
  };

  std::vector<char> dest(capacity, kUntouched);
  const int written = print(dest.data(), capacity);
  FUZZ_CHECK(written >= -1);
  FUZZ_CHECK(dest[0] == '\0' || written > 0);
  // An output that did not fit never reaches the last byte, which is kept for the NUL.
  const uint32_t untouched_from = written == -1 ? std::max(capacity - 1, 1u) : written + 1u;
  FUZZ_CHECK(written == -1 || (static_cast<uint32_t>(written) < capacity && dest[written] == '\0'));
  for (uint32_t i = untouched_from; i < capacity; ++i) {
    FUZZ_CHECK(dest[i] == kUntouched);
  }

  // An output is written whole when it fits, and otherwise not at all; twice the largest
  // capacity holds any output that fits one.
  std::vector<char> roomy(2 * kMostCapacity);
  const int whole = print(roomy.data(), 2 * kMostCapacity);
  if (whole >= 0 && static_cast<uint32_t>(whole) < capacity) {
    FUZZ_CHECK(written == whole);
    FUZZ_CHECK(std::memcmp(dest.data(), roomy.data(), static_cast<size_t>(whole) + 1) == 0);
  } else {
    FUZZ_CHECK(written == -1);
  }
  return 0;
}
