#include "I2cSysfs.h"

#include <gtest/gtest.h>

#include "FakeSysfs.h"
#include "PortError.h"

namespace {

constexpr const char* kSmbusFunction = "pci0000:00/0000:00:1f.3";
constexpr const char* kUsbInterface = "pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0";

// A machine with the chipset's SMBus, a multiplexer splitting it, a USB
// bridge, a PCI I2C controller and a bit-banger on the parallel port.
class I2cSysfsTest : public ::testing::Test {
protected:
    FakeSysfs sys{"i2csysfs"};

    void SetUp() override {
        sys.AddDevice(kSmbusFunction, "pci", "0x0c0500");
        sys.AddAdapter(0, "SMBus I801 adapter at efa0", kSmbusFunction);
        sys.AddAdapter(1, "i2c-0-mux (chan_id 1)", std::string(kSmbusFunction) + "/i2c-0");
        sys.AddDevice("pci0000:00/0000:00:14.0", "pci", "0x0c0330");
        sys.AddDevice("pci0000:00/0000:00:14.0/usb1/1-2", "usb");
        sys.AddDevice(kUsbInterface, "usb");
        sys.AddAdapter(10, "i2c-tiny-usb at bus 001 device 004", kUsbInterface);
        sys.AddDevice("pci0000:00/0000:00:15.0", "pci", "0x0c8000");
        sys.AddAdapter(2, "Synopsys DesignWare I2C adapter", "pci0000:00/0000:00:15.0");
        sys.AddDevice("platform/parport_pc.888", "platform");
        sys.AddAdapter(3, "i2c-parport", "platform/parport_pc.888");
    }
};

TEST_F(I2cSysfsTest, TheComputersSmbusIsKnownByItsPciClassOrItsName) {
    const I2cSysfs sysfs(sys.Root());
    EXPECT_TRUE(sysfs.IsHostSmbus(0));
    EXPECT_TRUE(sysfs.IsHostSmbus(1)) << "a branch of the SMBus behind a multiplexer";
    EXPECT_EQ(sysfs.Name(0), "SMBus I801 adapter at efa0");

    // The class alone, whatever the name; the name alone, wherever it sits.
    sys.AddDevice("pci0000:00/0000:00:14.5", "pci", "0x0c0500");
    sys.AddAdapter(4, "NVIDIA host adapter at 4c00", "pci0000:00/0000:00:14.5");
    sys.AddAdapter(5, "SMBus PIIX4 adapter port 0 at 0b00", "platform/parport_pc.888");
    EXPECT_TRUE(sysfs.IsHostSmbus(4));
    EXPECT_TRUE(sysfs.IsHostSmbus(5));
}

TEST_F(I2cSysfsTest, UsbBridgesAndOtherControllersAreUsable) {
    const I2cSysfs sysfs(sys.Root());
    for (int number : {10, 2, 3}) {
        EXPECT_FALSE(sysfs.IsHostSmbus(number)) << sysfs.Name(number);
    }
    EXPECT_FALSE(sysfs.IsHostSmbus(9)) << "not in sysfs";
    EXPECT_EQ(sysfs.Name(9), "");
}

std::string FindError(const I2cSysfs& sysfs, const std::string& name) {
    try {
        return "found i2c-" + std::to_string(sysfs.FindByName(name));
    } catch (const PortError& error) {
        return error.what();
    }
}

TEST_F(I2cSysfsTest, ANameSelectsTheAdapterItEqualsOrTheOneItBegins) {
    sys.AddAdapter(4, "i2c-parport (port 2)", "platform/parport_pc.888");
    sys.AddAdapter(7, "Synopsys DesignWare I2C adapter", "pci0000:00/0000:00:15.0");
    const I2cSysfs sysfs(sys.Root());
    EXPECT_EQ(sysfs.FindByName("i2c-tiny-usb at bus 001 device 004"), 10);
    EXPECT_EQ(sysfs.FindByName("i2c-tiny"), 10);
    EXPECT_EQ(sysfs.FindByName("i2c-parport"), 3) << "equal wins over beginning";
    EXPECT_EQ(sysfs.NameToUse(10), "i2c-tiny-usb");
    EXPECT_EQ(sysfs.NameToUse(4), "i2c-parport (port");
    EXPECT_EQ(sysfs.NameToUse(2), "") << "two adapters bear that name";

    const std::string none = FindError(sysfs, "ch341");
    EXPECT_NE(none.find("No I2C adapter is named \"ch341\" or has a name beginning with it"),
              std::string::npos)
        << none;
    for (const char* listed : {"i2c:0 \"SMBus I801 adapter at efa0\" (the computer's own SMBus",
                               "i2c:10 \"i2c-tiny-usb at bus 001 device 004\""}) {
        EXPECT_NE(none.find(listed), std::string::npos) << none;
    }
    const std::string several = FindError(sysfs, "Synopsys");
    EXPECT_NE(several.find("Several I2C adapters match \"Synopsys\""), std::string::npos)
        << several;
    EXPECT_NE(several.find("i2c:7 \"Synopsys"), std::string::npos) << several;

    const std::string empty = FindError(I2cSysfs(FakeSysfs("i2csysfs-empty").Root()), "x");
    EXPECT_NE(empty.find("present: none (load the i2c-dev module"), std::string::npos) << empty;
}

}  // namespace
