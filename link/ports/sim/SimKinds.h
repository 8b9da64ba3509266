// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PortKind.h"

// The simulated switch, on a simulated parallel port (sim, sim:FILE) or a
// simulated I2C adapter (i2c:sim, i2c:sim:FILE). Both reach the run's one
// SimSwitch; with FILE its 128 bytes are kept in that file.
namespace SimKinds {
// sim, sim:FILE: the bit-banged link over a SimPort.
const PortKind& Parallel();
// i2c:sim, i2c:sim:FILE: the transfer link over a SimI2cAdapter.
const PortKind& I2c();
}  // namespace SimKinds
