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
  const auto* const bytes = reinterpret_cast<const unsigned char*>(piece.data());
  std::vector<char16_t> units(piece.size() + 2, 0);
  if (piece.starts_with('L')) {
    std::copy(bytes + 1, bytes + piece.size(), units.begin());
  } else {
    std::memcpy(units.data(), bytes, piece.size());
  }
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

  std::vector<FmtArg> args;
  std::istringstream number_words(numbers_line);
  for (std::string word; number_words >> word;) {
    args.push_back({static_cast<uint32_t>(std::strtoul(word.c_str(), nullptr, 0)), nullptr});
  }
  // Moving a text into the list keeps its storage where the slot points.
  std::vector<std::vector<char16_t>> texts;
  std::istringstream text_pieces(texts_line);
  for (std::string piece; std::getline(text_pieces, piece, '|');) {
    texts.push_back(piece == "~" ? std::vector<char16_t>{} : text_units(piece));
    args.resize(std::max(args.size(), texts.size()));
    args[texts.size() - 1].text = texts.back().empty() ? nullptr : texts.back().data();
  }
  // Exactly as many slots as arguments: a read past the last one is an overflow.
  const auto slots = std::make_unique<FmtArg[]>(args.size());
  std::ranges::copy(args, slots.get());
  const auto print = [&](char* dest, uint32_t room) {
    return fmt_vprint(dest, room, format.c_str(), slots.get(), static_cast<uint32_t>(args.size()));
  };

  // Twice the largest capacity holds any output that fits one. An output that fits is written
  // whole; one that does not leaves dest empty and never reaches its last byte, kept for the NUL.
  std::vector<char> dest(capacity, kUntouched), roomy(2 * kMostCapacity);
  const int written = print(dest.data(), capacity);
  const int whole = print(roomy.data(), 2 * kMostCapacity);
  const bool fits = whole >= 0 && static_cast<uint32_t>(whole) < capacity;
  const auto length = static_cast<uint32_t>(fits ? whole : 0);
  FUZZ_CHECK(written == (fits ? whole : -1));
  FUZZ_CHECK(dest[length] == '\0' && std::memcmp(dest.data(), roomy.data(), length) == 0);
  for (uint32_t i = fits ? length + 1 : std::max(capacity - 1, 1u); i < capacity; ++i) {
    FUZZ_CHECK(dest[i] == kUntouched);
  }
  return 0;
}
