// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortDiscovery.h"

#include <cstdio>
#include <cstdlib>

#include "Ch341Boards.h"
#include "Ch341PortName.h"
#include "I2cSysfs.h"
#include "KernelFiles.h"

using KernelFiles::FirstLine;
using KernelFiles::Numbered;

std::vector<PortInfo> PortDiscovery::List(const std::string& devDir, const std::string& sysDir,
                                          const std::string& procDir) {
    std::vector<PortInfo> ports;
    for (int n : Numbered(devDir, "parport")) {
        const std::string id = "parport" + std::to_string(n);
        const std::string base = FirstLine(procDir + "/sys/dev/parport/" + id + "/base-addr");
        std::string description = "parallel port";
        char* end = nullptr;
        const unsigned long address = std::strtoul(base.c_str(), &end, 10);
        if (end != base.c_str() && address != 0) {
            char hex[24];
            std::snprintf(hex, sizeof hex, " at 0x%lx", address);
            description += hex;
        }
        ports.push_back({devDir + "/" + id, description});
    }
    const I2cSysfs sysfs(sysDir);
    for (int n : Numbered(devDir, "i2c-")) {
        const std::string name = sysfs.Name(n);
        const std::string byName = sysfs.NameToUse(n);
        ports.push_back({"i2c:" + devDir + "/i2c-" + std::to_string(n),
                         name.empty() ? "I2C adapter" : name, !sysfs.IsHostSmbus(n),
                         byName.empty() ? "" : "i2c:" + byName});
    }
    for (const Ch341Board& board : Ch341Boards(sysDir).List()) {
        char where[48];
        std::snprintf(where, sizeof where, " at bus %03d device %03d", board.bus, board.device);
        ports.push_back({Ch341PortName::kPrefix + board.place,
                         std::string("CH341A USB programmer (I2C)") + where});
    }
    return ports;
}
