#include "pe_image.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

constexpr uint32_t kSubdirectoryFlag = 0x80000000u;
constexpr uint32_t kNamedEntryFlag = 0x80000000u;
constexpr size_t kResourceDirectoryBytes = 16;
constexpr size_t kResourceEntryBytes = 8;
constexpr size_t kResourceTableIndex = 2;

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
    const size_t entry = at + kResourceDirectoryBytes + index * kResourceEntryBytes;
    const uint32_t name = read32(image.bytes, entry);
    const uint32_t target = read32(image.bytes, entry + 4);
    entries.push_back({name & ~kNamedEntryFlag, (name & kNamedEntryFlag) != 0,
                       (target & kSubdirectoryFlag) != 0, target & ~kSubdirectoryFlag});
  }
  return entries;
}

std::optional<DirectoryEntry> find_entry(const PeImage& image, uint32_t offset, uint32_t id) {
  for (const DirectoryEntry& entry : directory(image, offset)) {
    if (!entry.named && entry.id == id) {
      return entry;
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
  const size_t pe = read32(bytes, 0x3C);
  if (read32(bytes, pe) != 0x00004550) {
    return "no PE signature";
  }
  const size_t coff = pe + 4;
  image.machine = read16(bytes, coff);
  const size_t section_count = read16(bytes, coff + 2);
  const size_t optional_size = read16(bytes, coff + 16);
  const size_t optional = coff + 20;
  image.optional_magic = read16(bytes, optional);
  if (image.optional_magic != 0x10B) {
    return "not a PE32 image";
  }
  image.subsystem = read16(bytes, optional + 68);
  const size_t data_directories = optional + 96;
  image.resource_rva = read32(bytes, data_directories + kResourceTableIndex * 8);
  image.resource_size = read32(bytes, data_directories + kResourceTableIndex * 8 + 4);
  const size_t section_table = optional + optional_size;
  for (size_t index = 0; index < section_count; ++index) {
    const size_t header = section_table + index * 40;
    image.sections.push_back({read32(bytes, header + 12), read32(bytes, header + 8),
                              read32(bytes, header + 20), read32(bytes, header + 16)});
  }
  return std::nullopt;
}

std::vector<uint32_t> resource_ids(const PeImage& image, uint32_t type) {
  std::vector<uint32_t> ids;
  const std::optional<DirectoryEntry> type_entry = find_entry(image, 0, type);
  if (!type_entry || !type_entry->subdirectory) {
    return ids;
  }
  for (const DirectoryEntry& entry : directory(image, type_entry->offset)) {
    if (!entry.named) {
      ids.push_back(entry.id);
    }
  }
  return ids;
}

std::vector<uint8_t> resource_data(const PeImage& image, uint32_t type, uint32_t id) {
  const std::optional<DirectoryEntry> type_entry = find_entry(image, 0, type);
  if (!type_entry || !type_entry->subdirectory) {
    return {};
  }
  const std::optional<DirectoryEntry> id_entry = find_entry(image, type_entry->offset, id);
  if (!id_entry || !id_entry->subdirectory) {
    return {};
  }
  const std::vector<DirectoryEntry> languages = directory(image, id_entry->offset);
  if (languages.empty() || languages.front().subdirectory) {
    return {};
  }
  const std::optional<size_t> base = file_offset(image, image.resource_rva);
  const size_t data_entry = *base + languages.front().offset;
  const std::optional<size_t> data = file_offset(image, read32(image.bytes, data_entry));
  const uint32_t size = read32(image.bytes, data_entry + 4);
  if (!data || *data + size > image.bytes.size()) {
    return {};
  }
  return {image.bytes.begin() + static_cast<std::ptrdiff_t>(*data),
          image.bytes.begin() + static_cast<std::ptrdiff_t>(*data + size)};
}
