// The icon the Windows executable carries: five 16-colour images, 16, 24, 32, 48 and 64 pixels
// square, of the round yellow figure with its mouth open to the right.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr uint32_t kSizes[] = {16, 24, 32, 48, 64};
constexpr size_t kDirectoryBytes = 6;
constexpr size_t kEntryBytes = 16;
constexpr uint32_t kBitmapHeaderBytes = 40;
// Where an image's pixels begin: after its bitmap header and its palette of 16 colours.
constexpr uint32_t kPixelsAt = kBitmapHeaderBytes + 16 * 4;

uint32_t row_bytes(uint32_t size, uint32_t bits_per_pixel) {
  return (size * bits_per_pixel + 31) / 32 * 4;
}

class Icon : public testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("MAZEWICK_ICON");
    ASSERT_NE(path, nullptr) << "MAZEWICK_ICON names no icon";
    std::ifstream file(path, std::ios::binary);
    icon_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  // A little-endian number of that many bytes.
  uint32_t read(size_t offset, size_t bytes) const {
    uint32_t value = 0;
    for (size_t index = bytes; index-- > 0;) {
      value = value << 8 | icon_.at(offset + index);
    }
    return value;
  }

  // What a pixel of a four-bit image, counted from the top-left corner, shows: ' ' for nothing,
  // 'Y' for yellow, '?' for another colour. Rows are stored from the bottom, the mask after the
  // colours.
  char shown(size_t image, uint32_t size, uint32_t x, uint32_t y) const {
    const size_t row = size - 1 - y;
    const size_t colours = image + kPixelsAt;
    const size_t mask = colours + row_bytes(size, 4) * size;
    if (read(mask + row * row_bytes(size, 1) + x / 8, 1) & 0x80 >> x % 8) {
      return ' ';
    }
    const uint32_t pair = read(colours + row * row_bytes(size, 4) + x / 2, 1);
    const uint32_t colour = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
    // Blue, green, red and a zero byte.
    return read(image + kBitmapHeaderBytes + colour * 4, 4) == 0x00FFFF00 ? 'Y' : '?';
  }

  std::vector<uint8_t> icon_;
};

TEST_F(Icon, FiveSixteenColourImagesOfTheRoundFigureInTheListedSizes) {
  ASSERT_GE(icon_.size(), kDirectoryBytes);
  EXPECT_EQ(read(0, 4), 0x00010000u);  // reserved, then 1 for an icon
  ASSERT_EQ(read(4, 2), std::size(kSizes));
  for (size_t index = 0; index < std::size(kSizes); ++index) {
    const uint32_t size = kSizes[index];
    SCOPED_TRACE(size);
    const size_t entry = kDirectoryBytes + index * kEntryBytes;
    const size_t image = read(entry + 12, 4);
    const uint32_t image_bytes = kPixelsAt + (row_bytes(size, 4) + row_bytes(size, 1)) * size;
    ASSERT_LE(image + image_bytes, icon_.size());
    // Offset, bytes and value: the directory entry of a 16-colour, one-plane, four-bit image,
    // then its header, of an uncompressed bitmap of its size with the mask below it.
    const size_t fields[][3] = {
        {entry, 1, size},   {entry + 1, 1, size}, {entry + 2, 1, 16},
        {entry + 4, 2, 1},  {entry + 6, 2, 4},    {entry + 8, 4, image_bytes},
        {image, 4, 40},     {image + 4, 4, size}, {image + 8, 4, size * 2},
        {image + 12, 2, 1}, {image + 14, 2, 4},   {image + 16, 4, 0}};
    for (const auto& [offset, bytes, value] : fields) {
      EXPECT_EQ(read(offset, bytes), value) << "at byte " << offset;
    }
    // The corners lie outside the figure; the mouth is open from the centre to the right edge.
    const uint32_t middle = size / 2;
    const uint32_t last = size - 1;
    const uint32_t points[][3] = {{0, 0, ' '},
                                  {last, last, ' '},
                                  {size / 4, middle, 'Y'},
                                  {middle, last - size / 8, 'Y'},
                                  {middle, size * 3 / 4, 'Y'},
                                  {last - size / 8, middle, ' '},
                                  {size * 3 / 4, middle, ' '}};
    for (const auto& [x, y, expected] : points) {
      EXPECT_EQ(shown(image, size, x, y), static_cast<char>(expected)) << x << ", " << y;
    }
  }
}

}  // namespace
