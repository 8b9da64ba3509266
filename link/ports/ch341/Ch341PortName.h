// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The port names of CH341A boards: `ch341` (the only one plugged in) and
// `ch341:BUS-PORTS` (the one at that place on the USB tree, "ch341:1-4.2").
// `ch341:sim` and `ch341:sim:FILE`, the simulated board, share the prefix.
class Ch341PortName {
public:
    static constexpr const char* kPrefix = "ch341:";

    // Whether `name` is a CH341A's (the simulated board's included).
    static bool Matches(const std::string& name);
    // Throws PortNameError when `name`, one that Matches, is malformed, and
    // when it is a bare `ch341` while several boards are plugged in (below
    // sysfs root `sysRoot`), listing them.
    static void Check(const std::string& name, const std::string& sysRoot = "/sys");
    // The place the board of `name` is at; for a bare `ch341` the only
    // board's, throwing as Ch341Boards::OnlyPlace does.
    static std::string Place(const std::string& name, const std::string& sysRoot = "/sys");
};
