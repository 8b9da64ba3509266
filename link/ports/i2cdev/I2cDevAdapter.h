// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "I2cAdapter.h"

// An I2C adapter through the kernel's i2c-dev interface (/dev/i2c-N): USB
// bridges, the kernel's own bit-bangers, other I2C controllers. Never the
// computer's own SMBus, whose memory-module EEPROMs a write could ruin.
class I2cDevAdapter : public I2cAdapter {
public:
    // Opens /dev/i2c-`number` (under `devDir`; named `deviceName` there
    // when given, exactly as given); `sysDir` is where sysfs is mounted.
    // Throws PortError, naming the adapter, the system's reason and a hint,
    // when it cannot be opened, and before opening it when it is the
    // computer's own SMBus.
    explicit I2cDevAdapter(int number, const std::string& devDir = "/dev",
                           const std::string& sysDir = "/sys", const std::string& deviceName = "");
    ~I2cDevAdapter() override;
    I2cDevAdapter(const I2cDevAdapter&) = delete;
    I2cDevAdapter& operator=(const I2cDevAdapter&) = delete;

    std::string Name() const override { return m_path; }
    unsigned long Functions() override;
    // A driver bound to the address in sysfs, or one the I2C_SLAVE probe
    // finds busy.
    std::optional<std::string> AddressHeldBy(uint16_t address) override;
    // The device node is still there (udev removes it when the adapter goes).
    bool StillPresent() override;
    int Transfer(I2cMessage* messages, int count) override;

protected:
    // One ioctl on the adapter: 0, or the error number. The seam through
    // which tests play the kernel's part.
    virtual int Ioctl(unsigned long request, void* argument);

private:
    int m_number;
    std::string m_path;
    std::string m_sysDir;
    int m_fd = -1;
};
