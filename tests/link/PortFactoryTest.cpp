// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortFactory.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cerrno>

#include <filesystem>
#include <fstream>

#include "EepromLink.h"
#include "FakeSysfs.h"
#include "PortError.h"
#include "PortNameError.h"
#include "PortSession.h"
#include "PpdevSystem.h"
#include "SimEeprom.h"
#include "SimSwitch.h"

namespace {

std::string OpenError(PortFactory& factory) {
    try {
        factory.OpenLink();
    } catch (const PortError& error) {
        return error.what();
    }
    return "";
}

class EnvironmentPort {
public:
    explicit EnvironmentPort(const char* value) {
        if (value != nullptr) {
            ::setenv("TARNEL_PORT", value, 1);
        } else {
            ::unsetenv("TARNEL_PORT");
        }
    }
    ~EnvironmentPort() { ::unsetenv("TARNEL_PORT"); }
};

TEST(PortFactoryTest, TheOptionWinsOverTheEnvironmentWhichWinsOverTheDefault) {
    {
        EnvironmentPort env(nullptr);
        EXPECT_EQ(PortFactory::ChoosePortName(""), "/dev/parport0");
        EXPECT_EQ(PortFactory::ChoosePortName("sim"), "sim");
    }
    {
        EnvironmentPort env("");
        EXPECT_EQ(PortFactory::ChoosePortName(""), "/dev/parport0");
    }
    {
        EnvironmentPort env("io:0x278");
        EXPECT_EQ(PortFactory::ChoosePortName(""), "io:0x278");
        EXPECT_EQ(PortFactory::ChoosePortName("/dev/parport1"), "/dev/parport1");
    }
}

TEST(PortFactoryTest, UnknownNamesListTheAcceptedForms) {
    // An io: base is taken only as "0x" and hexadecimal digits, as documented.
    for (const char* name : {"lpt1", "io:", "io:0xZZ", "io:0x10000", "io: 0x378", "io:+0x378",
                             "io:888", "io:01570", "sim:", "/dev/", ""}) {
        PortFactory factory(name);
        const std::string message = OpenError(factory);
        EXPECT_NE(message.find(std::string("Unknown port \"") + name + "\""), std::string::npos)
            << message;
        for (const char* form : {"/dev/parportN", "io:0x378", "sim ", "sim:FILE"}) {
            EXPECT_NE(message.find(form), std::string::npos) << form << " missing in " << message;
        }
    }
}

TEST(PortFactoryTest, AMissingParportNamesItAndSaysWhy) {
    PortFactory factory("/dev/parport_tarnel_absent");
    const std::string message = OpenError(factory);
    EXPECT_NE(message.find("/dev/parport_tarnel_absent"), std::string::npos) << message;
    EXPECT_NE(message.find("No such file or directory"), std::string::npos) << message;
    EXPECT_NE(message.find("modprobe parport_pc ppdev"), std::string::npos) << message;
}

TEST(PortFactoryTest, ADeviceThatIsNoParallelPortIsNeverOpened) {
    // /dev/null stands for any other device node, such as a watchdog that
    // an open alone would start.
    EXPECT_THROW(PortFactory::CheckName("/dev/null"), PortNameError);
    EXPECT_NO_THROW(PortFactory::CheckName("/dev/parport_tarnel_absent"));
    int fd = 0;
    EXPECT_EQ(PpdevSystem::Kernel().Open("/dev/null", fd), ENOTTY);
    EXPECT_EQ(fd, -1);
}

TEST(PortFactoryTest, TheSimulatedEepromLastsForTheWholeRun) {
    PortFactory factory("sim");
    EepromImage written{};
    written.fill(0x42);
    { ASSERT_TRUE(factory.OpenLink()->WriteAll(written)); }
    const int refusalsBefore = factory.Simulator()->BusyRefusals();
    {
        // The write cycle of register 127 is still running: the next command
        // meets a busy device and polls it out.
        EepromImage read{};
        ASSERT_TRUE(factory.OpenLink()->ReadAll(read));
        EXPECT_EQ(read, written);
    }
    EXPECT_GT(factory.Simulator()->BusyRefusals(), refusalsBefore);
}

TEST(PortFactoryTest, SimFileKeepsTheBytesAcrossRuns) {
    const auto dir = std::filesystem::path(TARNEL_TEST_TMP) / "factory";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string name = "sim:" + (dir / "switch.bin").string();
    EepromImage written{};
    written.fill(0x17);
    {
        PortFactory run(name);
        auto link = run.OpenLink();
        EepromImage first{};
        ASSERT_TRUE(link->ReadAll(first));
        EXPECT_EQ(first, SimEeprom::Pattern());
        ASSERT_TRUE(link->WriteAll(written));
    }
    PortFactory nextRun(name);
    EepromImage read{};
    ASSERT_TRUE(nextRun.OpenLink()->ReadAll(read));
    EXPECT_EQ(read, written);
}

TEST(PortFactoryTest, I2cNamesSelectTheTransferLink) {
    // A device path is opened exactly as given: i2c-041 is not i2c-41.
    for (const auto& [name, device] :
         {std::pair{"i2c:/dev/i2c-41", "/dev/i2c-41"}, std::pair{"i2c:41", "/dev/i2c-41"},
          std::pair{"i2c:/dev/i2c-041", "/dev/i2c-041"}}) {
        PortFactory factory(name);
        try {
            factory.OpenLink();
            FAIL() << name;
        } catch (const PortError& error) {
            EXPECT_NE(std::string(error.what())
                          .find(std::string("Cannot open the I2C adapter ") + device + ":"),
                      std::string::npos)
                << error.what();
        }
    }
    for (const char* name : {"i2c:", "i2c:/dev/spidev0", "i2c:1234567", "i2c:sim:"}) {
        PortFactory factory(name);
        try {
            factory.OpenLink();
            FAIL() << name;
        } catch (const PortError& error) {
            EXPECT_NE(std::string(error.what()).find("Unknown port"), std::string::npos)
                << name << ": " << error.what();
        }
    }
    PortFactory sim("i2c:sim");
    EepromImage image{};
    ASSERT_TRUE(sim.OpenLink()->ReadAll(image));
    EXPECT_EQ(image, SimEeprom::Pattern());
    EXPECT_EQ(sim.Session().Simulation().I2cTransfers(), 1);
}

TEST(PortFactoryTest, I2cNamesAreLookedUpInSysfs) {
    FakeSysfs sys("factory-names");
    sys.AddAdapter(41, "i2c-tiny-usb at bus 001 device 004", "usb1/1-2:1.0");
    for (const auto& [name, expected] :
         {std::pair{"i2c:i2c-tiny", "Cannot open the I2C adapter /dev/i2c-41"},
          std::pair{"i2c:x1", "No I2C adapter is named \"x1\""}}) {
        PortFactory factory(name);
        factory.Session().SetSysfsRoot(sys.Root());
        try {
            factory.OpenLink();
            FAIL() << name;
        } catch (const PortError& error) {
            EXPECT_NE(std::string(error.what()).find(expected), std::string::npos) << error.what();
        }
    }
}

TEST(PortFactoryTest, OnlySimulatedPortsHaveASimulator) {
    PortFactory ppdev("/dev/parport0");
    EXPECT_EQ(ppdev.Simulator(), nullptr);
    PortFactory io("io:0x378");
    EXPECT_EQ(io.Simulator(), nullptr);
}

TEST(PortFactoryTest, TheSimulatedUsbBridgesFaultsReachItsLink) {
    PortFactory factory("ch341:sim");
    factory.SetSimFaults(SimEeprom::ParseFaults("unplugged:60"));
    EepromImage image{};
    image.fill(0x33);
    const LinkResult unplugged = factory.OpenLink()->WriteAll(image);
    EXPECT_FALSE(unplugged);
    EXPECT_GT(unplugged.failedRegister, 0);
    EXPECT_NE(unplugged.message.find("ch341:sim was unplugged"), std::string::npos)
        << unplugged.message;
    EXPECT_NE(unplugged.message.find("partly written"), std::string::npos) << unplugged.message;

    // A bridge that answers nothing cannot be used at all: an error of the port.
    PortFactory silent("ch341:sim");
    silent.SetSimFaults(SimEeprom::ParseFaults("silent"));
    try {
        silent.OpenLink()->ReadAll(image);
        ADD_FAILURE() << "no PortError";
    } catch (const PortError& error) {
        EXPECT_NE(std::string(error.what()).find("stopped answering"), std::string::npos)
            << error.what();
    }
}

}  // namespace
