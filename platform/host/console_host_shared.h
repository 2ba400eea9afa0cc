// What the console host's files share: the control bytes that both output and line input act on,
// and the cell a fresh buffer is filled with.
#pragma once

#include <cstdint>

#include "platform/host/console_host.h"

constexpr uint8_t kBackspace = 0x08;
constexpr uint8_t kLineFeed = 0x0A;
constexpr uint8_t kCarriageReturn = 0x0D;

constexpr ConsoleCell kBlankCell = {' ', ConsoleHost::kDefaultAttribute};
