// The console's 16 colours. A text attribute holds two colour numbers, background * 16 +
// foreground; in a colour number bit 0 is blue, bit 1 green, bit 2 red and bit 3 bright.
#pragma once

#include <cstdint>

constexpr uint8_t kBlueBit = 1;
constexpr uint8_t kGreenBit = 2;
constexpr uint8_t kRedBit = 4;
constexpr uint8_t kBrightBit = 8;

constexpr uint8_t kBlack = 0;
constexpr uint8_t kDarkBlue = 1;
constexpr uint8_t kDarkGreen = 2;
constexpr uint8_t kDarkCyan = 3;
constexpr uint8_t kDarkRed = 4;
constexpr uint8_t kDarkMagenta = 5;
constexpr uint8_t kDarkYellow = 6;
constexpr uint8_t kGrey = 7;
constexpr uint8_t kDarkGrey = 8;
constexpr uint8_t kBlue = 9;
constexpr uint8_t kGreen = 10;
constexpr uint8_t kCyan = 11;
constexpr uint8_t kRed = 12;
constexpr uint8_t kMagenta = 13;
constexpr uint8_t kYellow = 14;
constexpr uint8_t kWhite = 15;
constexpr int kColourCount = 16;

// How a console shows each colour number, as red, green, blue.
constexpr uint8_t kPaletteRgb[kColourCount][3] = {
    {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0}, {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},     {0, 255, 0}, {0, 255, 255},
    {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
};
