// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// A CH341A in I2C mode on the USB, by its place on the USB tree as sysfs and
// `lsusb -t` name it ("1-4.2": bus 1, port 4 of the root hub, port 2 of the
// hub there), which stays the same when it is plugged into the same socket
// again.
struct Ch341Board {
    std::string place;
    int bus = 0;
    int device = 0;
    bool operator==(const Ch341Board&) const = default;
};

// Finds the CH341A boards plugged in, from what sysfs tells about USB
// devices (below one root: /sys, a fake tree in tests); needs no access to
// the devices themselves.
class Ch341Boards {
public:
    explicit Ch341Boards(std::string sysRoot = "/sys") : m_root(std::move(sysRoot)) {}

    // The boards in I2C mode (1a86:5512), by bus and place.
    std::vector<Ch341Board> List() const;
    // The place of the only board. Throws PortError when none is plugged in
    // (saying so when one is strapped for its serial mode), PortNameError
    // listing them when there are several.
    std::string OnlyPlace() const;

private:
    // The USB devices with this product id of the chip's maker.
    std::vector<Ch341Board> WithProduct(unsigned product) const;

    std::string m_root;
};
