// The Cell byte: what one cell of the Board holds, and the tests that tell its classes apart.
#pragma once

#include <cstdint>

// Walls are 128 + wall shape (0 to 11); doors are 140 + wall shape. Both have bit 7 set.
constexpr uint8_t kWallBit = 0x80;
constexpr uint8_t kWallBase = 128;
constexpr uint8_t kDoorBase = 140;

// Floor: 0x40 with an item code in bits 0 to 3, the restricted bit and the junction bit.
constexpr uint8_t kFloor = 0x40;
constexpr uint8_t kItemMask = 0x0F;
constexpr uint8_t kRestrictedBit = 0x10;
constexpr uint8_t kJunctionBit = 0x20;

// Item codes of floor cells.
constexpr uint8_t kItemNone = 0;
constexpr uint8_t kItemPellet = 1;
constexpr uint8_t kItemPowerPellet = 2;
constexpr uint8_t kItemBonus = 3;
// What eating a tunnel mouth yields.
constexpr uint8_t kItemTunnel = 255;

// Tunnel mouth: 0x20 + letter index ('a' = 0 to 'z' = 25).
constexpr uint8_t kTunnelMouth = 0x20;
// Spawn marker: 0x10 + marker number 0 to 15.
constexpr uint8_t kSpawnMarker = 0x10;
constexpr uint8_t kMarkerNumberMask = 0x0F;
// Arrow cell: 0x04 + the forced Direction.
constexpr uint8_t kArrowCell = 0x04;

inline bool is_floor_cell(uint8_t cell) {
  return (cell & 0xC0) == kFloor;
}
inline bool is_tunnel_cell(uint8_t cell) {
  return (cell & 0xE0) == kTunnelMouth;
}
inline bool is_spawn_cell(uint8_t cell) {
  return (cell & 0xF0) == kSpawnMarker;
}
inline bool is_arrow_cell(uint8_t cell) {
  return (cell & 0xFC) == kArrowCell;
}
// Floor on which a chaser chooses its way anew, restricted or not.
inline bool is_junction_cell(uint8_t cell) {
  return (cell & 0xE0) == (kFloor | kJunctionBit);
}
