// The icon of the Windows executable, read back from its resources: one icon group, id 101, of
// five 16-colour images, 16, 24, 32, 48 and 64 pixels square.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "pe_image.h"

namespace {

constexpr uint32_t kIconGroupId = 101;
constexpr uint8_t kSizes[] = {16, 24, 32, 48, 64};
constexpr size_t kGroupHeaderBytes = 6;
constexpr size_t kGroupEntryBytes = 14;
constexpr size_t kBitmapHeaderBytes = 40;
constexpr size_t kPaletteBytes = 16 * 4;

const PeImage& executable() {
  static PeImage image;
  static bool loaded = false;
  if (!loaded) {
    const char* path = std::getenv("MAZEWICK_EXE");
    if (path == nullptr) {
      ADD_FAILURE() << "MAZEWICK_EXE names no executable";
    } else if (const auto error = load_pe_image(path, image)) {
      ADD_FAILURE() << path << ": " << *error;
    }
    loaded = true;
  }
  return image;
}

struct GroupEntry {
  uint8_t width;
  uint8_t height;
  uint8_t colours;
  uint16_t planes;
  uint16_t bit_count;
  uint32_t bytes;
  uint16_t id;
};

std::vector<GroupEntry> icon_group() {
  const std::vector<uint8_t> group = resource_data(executable(), kResourceIconGroup, kIconGroupId);
  std::vector<GroupEntry> entries;
  if (group.size() < kGroupHeaderBytes || read16(group, 0) != 0 || read16(group, 2) != 1) {
    return entries;
  }
  const size_t count = read16(group, 4);
  for (size_t index = 0; index < count; ++index) {
    const size_t at = kGroupHeaderBytes + index * kGroupEntryBytes;
    entries.push_back({group.at(at), group.at(at + 1), group.at(at + 2), read16(group, at + 4),
                       read16(group, at + 6), read32(group, at + 8), read16(group, at + 12)});
  }
  return entries;
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
};

Pixel pixel(const std::vector<uint8_t>& image, size_t size, size_t x, size_t y) {
  const size_t stored_row = size - 1 - y;
  const size_t colours = kBitmapHeaderBytes + kPaletteBytes;
  const size_t mask = colours + row_bytes(size, 4) * size;
  const uint8_t pair = image.at(colours + stored_row * row_bytes(size, 4) + x / 2);
  const uint8_t index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
  const size_t entry = kBitmapHeaderBytes + index * 4u;
  const bool transparent =
      (image.at(mask + stored_row * row_bytes(size, 1) + x / 8) & (0x80 >> (x % 8))) != 0;
  return {image.at(entry + 2), image.at(entry + 1), image.at(entry), transparent};
}

bool is_yellow(const Pixel& colour) {
  return !colour.transparent && colour.red == 255 && colour.green == 255 && colour.blue == 0;
}

TEST(Icon, OneGroupOfFiveSixteenColourImagesOfTheListedSizes) {
  EXPECT_EQ(resource_ids(executable(), kResourceIconGroup), std::vector<uint32_t>{kIconGroupId});
  const std::vector<GroupEntry> entries = icon_group();
  ASSERT_EQ(entries.size(), std::size(kSizes));
  for (size_t index = 0; index < entries.size(); ++index) {
    const GroupEntry& entry = entries[index];
    const size_t size = kSizes[index];
    SCOPED_TRACE(size);
    EXPECT_EQ(entry.width, size);
    EXPECT_EQ(entry.height, size);
    EXPECT_EQ(entry.colours, 16);
    EXPECT_EQ(entry.planes, 1);
    EXPECT_EQ(entry.bit_count, 4);
    // The image: an uncompressed four-bit bitmap of its size, with its mask.
    const std::vector<uint8_t> image = resource_data(executable(), kResourceIcon, entry.id);
    ASSERT_EQ(image.size(), entry.bytes);
    ASSERT_EQ(image.size(), kBitmapHeaderBytes + kPaletteBytes +
                                (row_bytes(size, 4) + row_bytes(size, 1)) * size);
    EXPECT_EQ(read32(image, 0), kBitmapHeaderBytes);
    EXPECT_EQ(read32(image, 4), size);
    EXPECT_EQ(read32(image, 8), size * 2);  // colour bitmap and mask
    EXPECT_EQ(read16(image, 12), 1);
    EXPECT_EQ(read16(image, 14), 4);
    EXPECT_EQ(read32(image, 16), 0u);
    // The round yellow figure, its mouth open from the centre to the right edge; the corners
    // lie outside it.
    const size_t middle = size / 2;
    EXPECT_TRUE(pixel(image, size, 0, 0).transparent);
    EXPECT_TRUE(pixel(image, size, size - 1, size - 1).transparent);
    EXPECT_TRUE(is_yellow(pixel(image, size, size / 4, middle)));
    EXPECT_TRUE(is_yellow(pixel(image, size, middle, size - 1 - size / 8)));
    EXPECT_TRUE(is_yellow(pixel(image, size, middle, size * 3 / 4)));
    EXPECT_TRUE(pixel(image, size, size - 1 - size / 8, middle).transparent);
    EXPECT_TRUE(pixel(image, size, size * 3 / 4, middle).transparent);
  }
}

}  // namespace
