// SPDX-License-Identifier: GPL-3.0-or-later
#include "I2cSysfs.h"

#include <gtest/gtest.h>

#include "FakeSysfs.h"
#include "PortError.h"

namespace {

// A machine with the chipset's SMBus and a multiplexer splitting it, an SMBus
// known by its PCI class alone, another by its name alone, a USB bridge, two
// PCI I2C controllers of one name and two bit-bangers on parallel ports.
class I2cSysfsTest : public ::testing::Test {
protected:
    FakeSysfs sys{"i2csysfs"};

    void SetUp() override {
        const std::string smbus = "pci0000:00/0000:00:1f.3";
        const std::string usb = "pci0000:00/0000:00:14.0/usb1/1-2:1.0";
        sys.AddDevice(smbus, "pci", "0x0c0500");
        sys.AddAdapter(0, "SMBus I801 adapter at efa0", smbus);
        sys.AddAdapter(1, "i2c-0-mux (chan_id 1)", smbus + "/i2c-0");
        sys.AddDevice("pci0000:00/0000:00:14.5", "pci", "0x0c0500");
        sys.AddAdapter(4, "NVIDIA host adapter", "pci0000:00/0000:00:14.5");
        sys.AddAdapter(5, "SMBus PIIX4 adapter port 0 at 0b00", "platform");
        sys.AddDevice("pci0000:00/0000:00:14.0", "pci", "0x0c0330");
        sys.AddDevice(usb, "usb");
        sys.AddAdapter(10, "i2c-tiny-usb at bus 001 device 004", usb);
        sys.AddDevice("pci0000:00/0000:00:15.0", "pci", "0x0c8000");
        sys.AddAdapter(2, "Synopsys DesignWare I2C adapter", "pci0000:00/0000:00:15.0");
        sys.AddAdapter(7, "Synopsys DesignWare I2C adapter", "pci0000:00/0000:00:15.0");
        sys.AddAdapter(3, "i2c-parport", "platform");
        sys.AddAdapter(6, "i2c-parport (port 2)", "platform");
    }
};

TEST_F(I2cSysfsTest, TheComputersSmbusIsKnownByItsPciClassOrItsName) {
    const I2cSysfs sysfs(sys.Root());
    for (int smbus : {0, 1, 4, 5}) {
        EXPECT_TRUE(sysfs.IsHostSmbus(smbus)) << sysfs.Name(smbus);
    }
    for (int other : {10, 2, 3, 9}) {
        EXPECT_FALSE(sysfs.IsHostSmbus(other)) << other;
    }
}

TEST_F(I2cSysfsTest, ANameSelectsTheAdapterItEqualsOrTheOnlyOneItBegins) {
    const I2cSysfs sysfs(sys.Root());
    EXPECT_EQ(sysfs.FindByName("i2c-tiny"), 10);
    EXPECT_EQ(sysfs.FindByName("i2c-parport"), 3) << "equal wins over beginning";
    EXPECT_EQ(sysfs.NameToUse(10), "i2c-tiny-usb");
    EXPECT_EQ(sysfs.NameToUse(6), "i2c-parport (port");
    EXPECT_EQ(sysfs.NameToUse(2), "") << "two adapters bear that name";

    const auto failure = [&](const std::string& name) {
        try {
            return "found i2c-" + std::to_string(sysfs.FindByName(name));
        } catch (const PortError& error) {
            return std::string(error.what());
        }
    };
    const std::string none = failure("ch341");
    for (const char* part : {"No I2C adapter is named \"ch341\" or has a name beginning with it",
                             "i2c:0 \"SMBus I801 adapter at efa0\" (the computer's own SMBus",
                             "i2c:10 \"i2c-tiny-usb at bus 001 device 004\""}) {
        EXPECT_NE(none.find(part), std::string::npos) << none;
    }
    EXPECT_NE(failure("Synopsys").find("Several I2C adapters match \"Synopsys\""),
              std::string::npos);
}

}  // namespace
