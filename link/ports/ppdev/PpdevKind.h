// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PortKind.h"

// /dev/parportN: a parallel port through the kernel's ppdev driver, the
// bit-banged link over a PpdevPort.
const PortKind& PpdevKind();
