#pragma once

#include <string>

// What the kernel tells in sysfs about the I2C adapter behind /dev/i2c-N:
// its name and whether it is the computer's own SMBus host controller. All
// reads go below one root (/sys; a fake tree in tests).
class I2cSysfs {
public:
    static constexpr const char* kDefaultRoot = "/sys";

    explicit I2cSysfs(std::string root = kDefaultRoot);

    // The kernel's name of adapter `number` (class/i2c-dev/i2c-N/name, else
    // the adapter's own name); "" when sysfs does not know it.
    std::string Name(int number) const;
    // Whether adapter `number` is the computer's own SMBus host controller:
    // its nearest PCI ancestor is of class 0x0C05 (SMBus), or its name begins
    // with "SMBus", as the on-board host drivers name theirs.
    bool IsHostSmbus(int number) const;

private:
    std::string m_root;
};
