// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A port present on this machine, by the name --port takes.
struct PortInfo {
    std::string name;         // "/dev/parport0", "i2c:/dev/i2c-1"
    std::string description;  // "parallel port at 0x378", "i2c-tiny-usb at bus 001 device 004"
    bool usable = true;       // false for the computer's own SMBus, which tarnel refuses
    std::string byName = {};  // "i2c:i2c-tiny-usb": selects the adapter by its kernel name
    bool operator==(const PortInfo&) const = default;
};

// Where the kernel's device, sys and proc trees are ("/dev", "/sys",
// "/proc" on a running system; fake trees in tests).
struct SystemRoots {
    std::string dev = "/dev";
    std::string sys = "/sys";
    std::string proc = "/proc";
};
