#include "pe_image.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

constexpr uint32_t kHighBit = 0x80000000u;  // a named entry, or an entry that is a directory

// The file offset of a virtual address, or none when no section holds it.
std::optional<size_t> file_offset(const PeImage& image, uint32_t rva) {
  for (const PeImage::Section& section : image.sections) {
    if (rva >= section.virtual_address && rva - section.virtual_address < section.raw_size) {
      return section.raw_offset + (rva - section.virtual_address);
    }
  }
  return std::nullopt;
}

struct DirectoryEntry {
  uint32_t id;
  bool named;
  bool subdirectory;
  uint32_t offset;  // from the start of the resource section
};

// The entries of the resource directory at an offset into the resource section.
std::vector<DirectoryEntry> directory(const PeImage& image, uint32_t offset) {
  std::vector<DirectoryEntry> entries;
  const std::optional<size_t> base = file_offset(image, image.resource_rva);
  if (!base) {
    return entries;
  }
  const size_t at = *base + offset;
  const size_t count = size_t{read16(image.bytes, at + 12)} + read16(image.bytes, at + 14);
  for (size_t index = 0; index < count; ++index) {
    const uint32_t name = read32(image.bytes, at + 16 + index * 8);
    const uint32_t target = read32(image.bytes, at + 20 + index * 8);
    entries.push_back(
        {name & ~kHighBit, (name & kHighBit) != 0, (target & kHighBit) != 0, target & ~kHighBit});
  }
  return entries;
}

// The subdirectory of the numeric id in the directory at an offset.
std::optional<uint32_t> subdirectory(const PeImage& image, uint32_t offset, uint32_t id) {
  for (const DirectoryEntry& entry : directory(image, offset)) {
    if (!entry.named && entry.id == id && entry.subdirectory) {
      return entry.offset;
    }
  }
  return std::nullopt;
}

}  // namespace

uint16_t read16(const std::vector<uint8_t>& bytes, size_t offset) {
  if (offset + 2 > bytes.size()) {
    throw std::out_of_range("read past the end of the image");
  }
  return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

uint32_t read32(const std::vector<uint8_t>& bytes, size_t offset) {
  return read16(bytes, offset) | static_cast<uint32_t>(read16(bytes, offset + 2)) << 16;
}

std::optional<std::string> load_pe_image(const std::string& path, PeImage& image) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return "cannot open " + path;
  }
  image.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  const std::vector<uint8_t>& bytes = image.bytes;
  if (bytes.size() < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z') {
    return "no MZ header";
  }
  const size_t coff = read32(bytes, 0x3C) + 4;
  if (read32(bytes, coff - 4) != 0x00004550) {
    return "no PE signature";
  }
  const size_t optional = coff + 20;
  if (read16(bytes, optional) != 0x10B) {
    return "not a PE32 image";
  }
  image.resource_rva = read32(bytes, optional + 96 + 2 * 8);  // data directory 2: resources
  const size_t section_table = optional + read16(bytes, coff + 16);
  for (size_t index = 0; index < read16(bytes, coff + 2); ++index) {
    const size_t header = section_table + index * 40;
    image.sections.push_back(
        {read32(bytes, header + 12), read32(bytes, header + 20), read32(bytes, header + 16)});
  }
  return std::nullopt;
}

std::vector<uint32_t> resource_ids(const PeImage& image, uint32_t type) {
  std::vector<uint32_t> ids;
  if (const std::optional<uint32_t> type_offset = subdirectory(image, 0, type)) {
    for (const DirectoryEntry& entry : directory(image, *type_offset)) {
      if (!entry.named) {
        ids.push_back(entry.id);
      }
    }
  }
  return ids;
}

std::vector<uint8_t> resource_data(const PeImage& image, uint32_t type, uint32_t id) {
  const std::optional<uint32_t> type_offset = subdirectory(image, 0, type);
  const std::optional<uint32_t> id_offset =
      type_offset ? subdirectory(image, *type_offset, id) : std::nullopt;
  if (!id_offset) {
    return {};
  }
  const std::vector<DirectoryEntry> languages = directory(image, *id_offset);
  if (languages.empty() || languages.front().subdirectory) {
    return {};
  }
  const size_t data_entry = *file_offset(image, image.resource_rva) + languages.front().offset;
  const std::optional<size_t> data = file_offset(image, read32(image.bytes, data_entry));
  const uint32_t size = read32(image.bytes, data_entry + 4);
  if (!data || *data + size > image.bytes.size()) {
    return {};
  }
  return {image.bytes.begin() + static_cast<std::ptrdiff_t>(*data),
          image.bytes.begin() + static_cast<std::ptrdiff_t>(*data + size)};
}
