// The icon the Windows executable carries: five 16-colour images, 16, 24, 32, 48 and 64 pixels
// square, of the round yellow figure with its mouth open to the right.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <tuple>
#include <vector>

namespace {

// A bitmap row, padded to four bytes.
uint32_t row_bytes(uint32_t size, uint32_t bits_per_pixel) {
  return (size * bits_per_pixel + 31) / 32 * 4;
}

TEST(Icon, FiveSixteenColourImagesOfTheRoundFigureInTheListedSizes) {
  const char* path = std::getenv("MAZEWICK_ICON");
  ASSERT_NE(path, nullptr) << "MAZEWICK_ICON names no icon";
  std::ifstream file(path, std::ios::binary);
  const std::vector<uint8_t> icon{std::istreambuf_iterator<char>(file), {}};
  // A little-endian number of that many bytes.
  const auto read = [&icon](size_t offset, size_t bytes) {
    uint32_t value = 0;
    for (size_t index = bytes; index-- > 0;) {
      value = value << 8 | icon.at(offset + index);
    }
    return value;
  };
  constexpr uint32_t kSizes[] = {16, 24, 32, 48, 64};
  ASSERT_EQ(read(4, 2), std::size(kSizes));
  for (size_t index = 0; index < std::size(kSizes); ++index) {
    const uint32_t size = kSizes[index];
    SCOPED_TRACE(size);
    // The directory entry: width, height and colour count, and where the image lies.
    const size_t entry = 6 + index * 16;
    EXPECT_EQ(std::tuple(read(entry, 1), read(entry + 1, 1), read(entry + 2, 1)),
              std::tuple(size, size, 16u));
    const size_t image = read(entry + 12, 4);
    // After the bitmap header and 16 colours, the four-bit pixels, then the one-bit mask.
    const size_t pixels = image + 40 + 16 * 4;
    const size_t mask = pixels + row_bytes(size, 4) * size;
    // The corners lie outside the figure (masked), its mouth opens to the right and its dark eye
    // lies above the middle. Rows are stored from the bottom; yellow is the console's, blue 0,
    // green and red 255.
    const uint32_t middle = size / 2, last = size - 1;
    const uint32_t points[][3] = {{0, 0, ' '},
                                  {last, last, ' '},
                                  {size / 4, middle, 'Y'},
                                  {size * 9 / 16, size / 4, '?'},
                                  {last - size / 8, middle, ' '}};
    for (const auto& [x, y, expected] : points) {
      const size_t row = last - y;
      const uint32_t pair = read(pixels + row * row_bytes(size, 4) + x / 2, 1);
      const uint32_t colour = read(image + 40 + (x % 2 == 0 ? pair >> 4 : pair & 0x0F) * 4, 4);
      const bool masked = read(mask + row * row_bytes(size, 1) + x / 8, 1) & 0x80 >> x % 8;
      const char shown = masked ? ' ' : (colour == 0x00FFFF00 ? 'Y' : '?');
      EXPECT_EQ(shown, static_cast<char>(expected)) << x << ", " << y;
    }
  }
}

}  // namespace
