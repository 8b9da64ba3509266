// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PortKind.h"

// The port kinds of CH341A boards: `ch341`, `ch341:BUS-PORTS` through
// libusb, and `ch341:sim`, `ch341:sim:FILE` on the simulated chip.
namespace Ch341Kinds {
const PortKind& Board();
const PortKind& Simulated();
}  // namespace Ch341Kinds
