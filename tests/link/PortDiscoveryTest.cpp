// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortDiscovery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

TEST(PortDiscoveryTest, ListsParallelPortsAndI2cAdaptersWithTheirNames) {
    const fs::path root = fs::path(TARNEL_TEST_TMP) / "discovery";
    fs::remove_all(root);
    for (const char* dir : {"dev", "sys/class/i2c-dev/i2c-10", "sys/bus/i2c/devices/i2c-2",
                            "proc/sys/dev/parport/parport0"}) {
        fs::create_directories(root / dir);
    }
    for (const char* device : {"parport0", "parport1", "i2c-10", "i2c-2", "i2c-x", "tty0"}) {
        std::ofstream(root / "dev" / device) << "";
    }
    std::ofstream(root / "sys/class/i2c-dev/i2c-10/name") << "i2c-tiny-usb at bus 001 device 004\n";
    std::ofstream(root / "sys/bus/i2c/devices/i2c-2/name") << "SMBus I801 adapter at f040\n";
    std::ofstream(root / "proc/sys/dev/parport/parport0/base-addr") << "888\t1912\n";

    const auto dev = (root / "dev").string();
    const std::vector<PortInfo> expected = {
        {dev + "/parport0", "parallel port at 0x378"},
        {dev + "/parport1", "parallel port"},
        {"i2c:" + dev + "/i2c-2", "SMBus I801 adapter at f040", false},
        {"i2c:" + dev + "/i2c-10", "i2c-tiny-usb at bus 001 device 004", true, "i2c:i2c-tiny-usb"},
    };
    EXPECT_EQ(PortDiscovery::List(dev, (root / "sys").string(), (root / "proc").string()),
              expected);
}

TEST(PortDiscoveryTest, AnEmptyMachineListsNothing) {
    const fs::path root = fs::path(TARNEL_TEST_TMP) / "discovery-empty";
    fs::create_directories(root);
    EXPECT_TRUE(PortDiscovery::List(root.string(), root.string(), root.string()).empty());
    EXPECT_TRUE(PortDiscovery::List((root / "missing").string()).empty());
}

}  // namespace
