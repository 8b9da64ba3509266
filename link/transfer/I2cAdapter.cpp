// SPDX-License-Identifier: GPL-3.0-or-later
#include "I2cAdapter.h"

#include <linux/i2c.h>

unsigned long I2cAdapter::Functions() {
    return I2C_FUNC_I2C;
}

std::optional<std::string> I2cAdapter::AddressHeldBy(uint16_t) {
    return std::nullopt;
}

bool I2cAdapter::StillPresent() {
    return true;
}
