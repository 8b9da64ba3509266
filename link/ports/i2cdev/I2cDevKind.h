// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PortKind.h"

// i2c:/dev/i2c-N, i2c:N, i2c:NAME: an I2C adapter through the kernel's
// i2c-dev driver, the transfer link over an I2cDevAdapter.
const PortKind& I2cDevKind();
