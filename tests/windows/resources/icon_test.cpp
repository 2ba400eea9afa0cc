// The icon the Windows executable carries: five 16-colour images, 16, 24, 32, 48 and 64 pixels
// square, of the round yellow figure with its mouth open to the right.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr uint8_t kSizes[] = {16, 24, 32, 48, 64};
constexpr size_t kDirectoryBytes = 6;
constexpr size_t kEntryBytes = 16;
constexpr size_t kBitmapHeaderBytes = 40;
constexpr size_t kPaletteBytes = 16 * 4;

uint32_t read16(const std::vector<uint8_t>& bytes, size_t offset) {
  return static_cast<uint32_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

uint32_t read32(const std::vector<uint8_t>& bytes, size_t offset) {
  return read16(bytes, offset) | read16(bytes, offset + 2) << 16;
}

std::vector<uint8_t> icon_file() {
  const char* path = std::getenv("MAZEWICK_ICON");
  if (path == nullptr) {
    ADD_FAILURE() << "MAZEWICK_ICON names no icon";
    return {};
  }
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

size_t row_bytes(size_t size, size_t bits_per_pixel) {
  return (size * bits_per_pixel + 31) / 32 * 4;
}

// One pixel of a 4-bit icon image, counted from the top-left corner.
struct Pixel {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  bool transparent;

  bool yellow() const { return !transparent && red == 255 && green == 255 && blue == 0; }
};

Pixel pixel(const std::vector<uint8_t>& icon, size_t image, size_t size, size_t x, size_t y) {
  const size_t stored_row = size - 1 - y;
  const size_t colours = image + kBitmapHeaderBytes + kPaletteBytes;
  const size_t mask = colours + row_bytes(size, 4) * size;
  const uint8_t pair = icon.at(colours + stored_row * row_bytes(size, 4) + x / 2);
  const size_t entry = image + kBitmapHeaderBytes + (x % 2 == 0 ? pair >> 4 : pair & 0x0F) * 4u;
  const bool transparent =
      (icon.at(mask + stored_row * row_bytes(size, 1) + x / 8) & (0x80 >> (x % 8))) != 0;
  return {icon.at(entry + 2), icon.at(entry + 1), icon.at(entry), transparent};
}

TEST(Icon, FiveSixteenColourImagesOfTheRoundFigureInTheListedSizes) {
  const std::vector<uint8_t> icon = icon_file();
  ASSERT_GE(icon.size(), kDirectoryBytes);
  EXPECT_EQ(read16(icon, 0), 0u);
  EXPECT_EQ(read16(icon, 2), 1u);  // an icon
  ASSERT_EQ(read16(icon, 4), std::size(kSizes));
  for (size_t index = 0; index < std::size(kSizes); ++index) {
    const size_t size = kSizes[index];
    const size_t entry = kDirectoryBytes + index * kEntryBytes;
    SCOPED_TRACE(size);
    EXPECT_EQ(icon.at(entry), size);
    EXPECT_EQ(icon.at(entry + 1), size);
    EXPECT_EQ(icon.at(entry + 2), 16);  // colours
    EXPECT_EQ(read16(icon, entry + 4), 1u);
    EXPECT_EQ(read16(icon, entry + 6), 4u);
    // The image: an uncompressed four-bit bitmap of its size, with its mask.
    const size_t image = read32(icon, entry + 12);
    ASSERT_EQ(read32(icon, entry + 8), kBitmapHeaderBytes + kPaletteBytes +
                                           (row_bytes(size, 4) + row_bytes(size, 1)) * size);
    ASSERT_LE(image + read32(icon, entry + 8), icon.size());
    EXPECT_EQ(read32(icon, image), kBitmapHeaderBytes);
    EXPECT_EQ(read32(icon, image + 4), size);
    EXPECT_EQ(read32(icon, image + 8), size * 2);  // colour bitmap and mask
    EXPECT_EQ(read16(icon, image + 12), 1u);
    EXPECT_EQ(read16(icon, image + 14), 4u);
    EXPECT_EQ(read32(icon, image + 16), 0u);
    // The corners lie outside the figure; the mouth is open from the centre to the right edge.
    const size_t middle = size / 2;
    EXPECT_TRUE(pixel(icon, image, size, 0, 0).transparent);
    EXPECT_TRUE(pixel(icon, image, size, size - 1, size - 1).transparent);
    EXPECT_TRUE(pixel(icon, image, size, size / 4, middle).yellow());
    EXPECT_TRUE(pixel(icon, image, size, middle, size - 1 - size / 8).yellow());
    EXPECT_TRUE(pixel(icon, image, size, middle, size * 3 / 4).yellow());
    EXPECT_TRUE(pixel(icon, image, size, size - 1 - size / 8, middle).transparent);
    EXPECT_TRUE(pixel(icon, image, size, size * 3 / 4, middle).transparent);
  }
}

}  // namespace
