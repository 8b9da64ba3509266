// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "PortInfo.h"

// Finds the ports present (parallel ports, I2C adapters, whatever the kinds
// of the port-kind table can find), with their names from sysfs and procfs,
// so a technician can find the right one.
class PortDiscovery {
public:
    // Ports below `devDir`, kind by kind in the table's order, each kind by
    // number.
    static std::vector<PortInfo> List(const std::string& devDir = "/dev",
                                      const std::string& sysDir = "/sys",
                                      const std::string& procDir = "/proc");
};
