// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

// What the kernel tells in sysfs about the I2C adapters behind /dev/i2c-N:
// their names and whether one is the computer's own SMBus host controller.
// All reads go below one root (/sys; a fake tree in tests).
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
    // The number of the i2c-dev adapter named `name`, or else the one whose
    // name begins with it when exactly one does. Throws PortError listing the
    // adapters present when none or several match.
    int FindByName(const std::string& name) const;
    // The shortest leading words of adapter `number`'s name that FindByName
    // takes to it; "" when none does (another adapter has the same name).
    std::string NameToUse(int number) const;

private:
    using Adapter = std::pair<int, std::string>;
    // The i2c-dev adapters (class/i2c-dev/i2c-N) with their names, by number.
    std::vector<Adapter> Adapters() const;

    std::string m_root;
};
