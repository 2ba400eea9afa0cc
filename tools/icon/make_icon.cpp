// Draws the game's icon, the round yellow figure with its wedge mouth open to the right, and
// writes it as an .ico file of five 16-colour images of 16, 24, 32, 48 and 64 pixels square, or
// one of those images as a PNG file for the desktop.
//
// Usage: mazewick-icon OUTPUT.ico
//        mazewick-icon --png SIZE OUTPUT.png

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "console/palette.h"

namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64};
constexpr int kBitsPerPixel = 4;
constexpr int kHeaderBytes = 40;  // BITMAPINFOHEADER
constexpr int kDirectoryBytes = 6;
constexpr int kEntryBytes = 16;

// What a point of the picture shows; the picture spans 0..1 in both directions.
enum class Part { kOutside, kBody, kEye };

Part part_at(double x, double y) {
  constexpr double kRadius = 0.47;
  constexpr double kMouthSlope = 0.7;  // the wedge's half-opening, as rise over run
  constexpr double kEyeX = 0.56;
  constexpr double kEyeY = 0.25;
  constexpr double kEyeRadius = 0.075;
  const double dx = x - 0.5;
  const double dy = y - 0.5;
  if (dx * dx + dy * dy > kRadius * kRadius) {
    return Part::kOutside;
  }
  if (dx > 0 && std::fabs(dy) < dx * kMouthSlope) {
    return Part::kOutside;
  }
  const double ex = x - kEyeX;
  const double ey = y - kEyeY;
  if (ex * ex + ey * ey < kEyeRadius * kEyeRadius) {
    return Part::kEye;
  }
  return Part::kBody;
}

// One pixel: a palette index, or transparent.
struct Pixel {
  uint8_t colour;
  bool transparent;
};

// Samples each pixel on a 4 x 4 grid: mostly outside is transparent, a partly covered edge is
// dark yellow.
Pixel pixel_at(int column, int row, int size) {
  constexpr int kGrid = 4;
  int body = 0;
  int eye = 0;
  for (int sy = 0; sy < kGrid; ++sy) {
    for (int sx = 0; sx < kGrid; ++sx) {
      const double x = (column + (sx + 0.5) / kGrid) / size;
      const double y = (row + (sy + 0.5) / kGrid) / size;
      const Part part = part_at(x, y);
      body += part == Part::kBody ? 1 : 0;
      eye += part == Part::kEye ? 1 : 0;
    }
  }
  const int samples = kGrid * kGrid;
  if ((body + eye) * 2 < samples) {
    return {kBlack, true};
  }
  if (eye > body) {
    return {kBlack, false};
  }
  return {body * 4 >= samples * 3 ? kYellow : kDarkYellow, false};
}

void put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

// Rows of a bitmap are padded to whole 32-bit words.
int row_bytes(int size, int bits_per_pixel) {
  return (size * bits_per_pixel + 31) / 32 * 4;
}

// One image as an icon stores it: the header, the palette, the colour bitmap and the
// transparency mask, both bottom row first.
std::vector<uint8_t> image(int size) {
  const int colour_row = row_bytes(size, kBitsPerPixel);
  const int mask_row = row_bytes(size, 1);
  std::vector<uint8_t> out;
  put32(out, kHeaderBytes);
  put32(out, static_cast<uint32_t>(size));
  put32(out, static_cast<uint32_t>(size * 2));  // colour bitmap and mask together
  put16(out, 1);                                // planes
  put16(out, kBitsPerPixel);
  put32(out, 0);  // uncompressed
  put32(out, static_cast<uint32_t>((colour_row + mask_row) * size));
  put32(out, 0);
  put32(out, 0);
  put32(out, kColourCount);
  put32(out, 0);
  for (const auto& rgb : kPaletteRgb) {
    out.push_back(rgb[2]);
    out.push_back(rgb[1]);
    out.push_back(rgb[0]);
    out.push_back(0);
  }
  std::vector<uint8_t> colours(static_cast<size_t>(colour_row * size), 0);
  std::vector<uint8_t> mask(static_cast<size_t>(mask_row * size), 0);
  for (int row = 0; row < size; ++row) {
    const int stored_row = size - 1 - row;
    for (int column = 0; column < size; ++column) {
      const Pixel pixel = pixel_at(column, row, size);
      const int shift = column % 2 == 0 ? 4 : 0;
      colours[static_cast<size_t>(stored_row * colour_row + column / 2)] |=
          static_cast<uint8_t>(pixel.colour << shift);
      if (pixel.transparent) {
        mask[static_cast<size_t>(stored_row * mask_row + column / 8)] |=
            static_cast<uint8_t>(0x80 >> (column % 8));
      }
    }
  }
  out.insert(out.end(), colours.begin(), colours.end());
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

std::vector<uint8_t> icon_file() {
  std::vector<std::vector<uint8_t>> images;
  for (const int size : kSizes) {
    images.push_back(image(size));
  }
  std::vector<uint8_t> out;
  put16(out, 0);  // reserved
  put16(out, 1);  // an icon, not a cursor
  put16(out, static_cast<uint32_t>(images.size()));
  uint32_t offset = kDirectoryBytes + kEntryBytes * static_cast<uint32_t>(images.size());
  for (size_t index = 0; index < images.size(); ++index) {
    out.push_back(static_cast<uint8_t>(kSizes[index]));
    out.push_back(static_cast<uint8_t>(kSizes[index]));
    out.push_back(kColourCount);
    out.push_back(0);
    put16(out, 1);  // planes
    put16(out, kBitsPerPixel);
    put32(out, static_cast<uint32_t>(images[index].size()));
    put32(out, offset);
    offset += static_cast<uint32_t>(images[index].size());
  }
  for (const auto& bytes : images) {
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

// PNG numbers are big-endian.
void put32_big(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<uint8_t>(value >> shift));
  }
}

uint32_t crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFF;
  for (size_t index = 0; index < size; ++index) {
    crc ^= data[index];
    for (int bit = 0; bit < 8; ++bit) {
      crc = crc >> 1 ^ (0xEDB88320 & (0 - (crc & 1)));
    }
  }
  return ~crc;
}

uint32_t adler32(const std::vector<uint8_t>& data) {
  uint32_t low = 1;
  uint32_t high = 0;
  for (const uint8_t byte : data) {
    low = (low + byte) % 65521;
    high = (high + low) % 65521;
  }
  return high << 16 | low;
}

// A chunk: its length, its type and data, and their CRC.
void put_chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  put32_big(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  put32_big(out, crc32(out.data() + start, out.size() - start));
}

// The same pixels as the icon's image of that size, as 8-bit red, green, blue and alpha. The
// zlib stream holds them in one stored deflate block: a host tool needs no compression library.
std::vector<uint8_t> png_file(int size) {
  constexpr int kLargest = std::ranges::max(kSizes);
  static_assert((kLargest * 4 + 1) * kLargest <= 0xFFFF, "every image fits in one stored block");
  std::vector<uint8_t> rows;
  for (int row = 0; row < size; ++row) {
    rows.push_back(0);  // no filter
    for (int column = 0; column < size; ++column) {
      const Pixel pixel = pixel_at(column, row, size);
      const auto& rgb = kPaletteRgb[pixel.colour];
      rows.insert(rows.end(), std::begin(rgb), std::end(rgb));
      rows.push_back(pixel.transparent ? 0 : 255);
    }
  }
  std::vector<uint8_t> zlib = {0x78, 0x01};  // deflate, 32 KB window, no dictionary
  zlib.push_back(1);                         // the last block, stored
  put16(zlib, static_cast<uint32_t>(rows.size()));
  put16(zlib, static_cast<uint32_t>(~rows.size() & 0xFFFF));
  zlib.insert(zlib.end(), rows.begin(), rows.end());
  put32_big(zlib, adler32(rows));

  std::vector<uint8_t> header;
  put32_big(header, static_cast<uint32_t>(size));
  put32_big(header, static_cast<uint32_t>(size));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  put_chunk(out, "IHDR", header);
  put_chunk(out, "IDAT", zlib);
  put_chunk(out, "IEND", {});
  return out;
}

// The size of a PNG, one of the icon's.
bool parse_size(const char* text, int& size) {
  const char* end = text + std::strlen(text);
  const auto [parsed, error] = std::from_chars(text, end, size);
  return error == std::errc() && parsed == end &&
         std::ranges::find(kSizes, size) != std::end(kSizes);
}

}  // namespace

int main(int argc, char** argv) {
  int size = 0;
  const bool png = argc == 4 && std::strcmp(argv[1], "--png") == 0 && parse_size(argv[2], size);
  if (argc != 2 && !png) {
    std::fprintf(stderr,
                 "usage: mazewick-icon OUTPUT.ico | mazewick-icon --png SIZE OUTPUT.png\n"
                 "  SIZE: 16, 24, 32, 48 or 64\n");
    return 2;
  }
  const char* path = argv[argc - 1];
  const std::vector<uint8_t> bytes = png ? png_file(size) : icon_file();
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "mazewick-icon: cannot write %s\n", path);
    return 1;
  }
  return 0;
}
