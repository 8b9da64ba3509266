// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PortKind.h"

// io:0x378: a parallel port by direct port I/O at its base address, the
// bit-banged link over an IoPort.
const PortKind& IoKind();
