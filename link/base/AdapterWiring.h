// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// How the passive parallel-port adapter wires the I2C lines to the port's
// registers: SDA is driven by data bit 7 (1 = released, 0 = pulled low) and
// sensed on status bit 6, SCL is driven by control bit 2 (1 = high). Every
// part that drives, simulates or traces those lines takes the bits from here.
namespace AdapterWiring {
// Data-register bit that drives SDA: set releases the line, clear pulls it low.
inline constexpr uint8_t kSdaDrive = 0x80;
// Control-register bit that drives SCL: set raises the line.
inline constexpr uint8_t kScl = 0x04;
// Status-register bit that reads the level of SDA, whoever drives it.
inline constexpr uint8_t kSdaSense = 0x40;
}  // namespace AdapterWiring
