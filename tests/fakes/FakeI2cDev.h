// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "I2cDevAdapter.h"

// The real i2c-dev adapter with the kernel's ioctls answered by another
// adapter (a SimI2cAdapter): I2C_FUNCS gives its functions, I2C_SLAVE is
// busy while it says a driver holds the address, I2C_RDWR is its transfer.
// The device node is opened as the real adapter opens it; a plain file does.
class FakeI2cDev : public I2cDevAdapter {
public:
    // The arguments after `kernel` are I2cDevAdapter's.
    FakeI2cDev(std::unique_ptr<I2cAdapter> kernel, int number, const std::string& devDir,
               const std::string& sysDir, const std::string& deviceName)
        : I2cDevAdapter(number, devDir, sysDir, deviceName), m_kernel(std::move(kernel)) {}

protected:
    int Ioctl(unsigned long request, void* argument) override;

private:
    std::unique_ptr<I2cAdapter> m_kernel;
};
