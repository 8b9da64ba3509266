// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Number of one-byte registers of the switch's configuration EEPROM.
inline constexpr std::size_t kEepromSize = 128;

// A register image: element i is register i, the EEPROM byte at word address i.
using EepromImage = std::array<uint8_t, kEepromSize>;
