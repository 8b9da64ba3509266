// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// A port present on this machine, by the name --port takes.
struct PortInfo {
    std::string name;         // "/dev/parport0", "i2c:/dev/i2c-1", "ch341:1-4.2"
    std::string description;  // "parallel port at 0x378", "i2c-tiny-usb at bus 001 device 004"
    bool usable = true;       // false for the computer's own SMBus, which tarnel refuses
    std::string byName = {};  // "i2c:i2c-tiny-usb": selects the adapter by its kernel name
    bool operator==(const PortInfo&) const = default;
};

// Finds the parallel ports (/dev/parportN), I2C adapters (/dev/i2c-N) and
// CH341A boards (ch341:BUS-PORTS) present, with their names from sysfs and procfs, so a technician
// can find the right one.
class PortDiscovery {
public:
    // Ports in `devDir`, parallel ports first, each kind by number, then the
    // CH341A boards by place.
    static std::vector<PortInfo> List(const std::string& devDir = "/dev",
                                      const std::string& sysDir = "/sys",
                                      const std::string& procDir = "/proc");
};
