// A read-only view of the resources of a 32-bit Windows executable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr uint32_t kResourceIcon = 3;
constexpr uint32_t kResourceIconGroup = 14;

struct PeImage {
  std::vector<uint8_t> bytes;
  uint32_t resource_rva = 0;
  struct Section {
    uint32_t virtual_address;
    uint32_t raw_offset;
    uint32_t raw_size;
  };
  std::vector<Section> sections;
};

// Reads and parses an executable; an error message when it is no PE32 image.
std::optional<std::string> load_pe_image(const std::string& path, PeImage& image);

// The numeric ids of the resources of one type.
std::vector<uint32_t> resource_ids(const PeImage& image, uint32_t type);

// The data of a resource, in its first language; empty when there is none.
std::vector<uint8_t> resource_data(const PeImage& image, uint32_t type, uint32_t id);

uint16_t read16(const std::vector<uint8_t>& bytes, size_t offset);
uint32_t read32(const std::vector<uint8_t>& bytes, size_t offset);
