// SPDX-License-Identifier: GPL-3.0-or-later
// The contract every port kind keeps, run over each kind of the table
// against the simulated switch, through the factory, as the device commands
// use a port: the simulators as they are, the kinds that talk to the kernel
// with only the kernel's side played by fakes over the same switch
// (FakeKernel). A new kind joins with one line in kContractPorts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>

#include "FakeKernel.h"
#include "PortError.h"
#include "PortFactory.h"
#include "PortKinds.h"
#include "PortSession.h"
#include "SimEeprom.h"
#include "SimSwitch.h"

namespace {

const std::string kDir = std::string(TARNEL_TEST_TMP) + "/contract";

// One kind of port in the contract: its name (FILE stands for a file of the
// test's own), whether its adapter sees the acknowledge of every byte, so
// that a refused data byte is named (a USB bridge reports only that the
// transfer failed), what a second open says while a first one holds the
// port (none for a switch in memory, which belongs to one run), and whether
// a kernel driver can hold the EEPROM's address (an I2C adapter of the
// kernel's).
struct ContractPort {
    const char* name;
    bool namesRefusedByte = true;
    const char* inUse = nullptr;
    bool driverMayHold = false;
};

// The kind by its name in the messages of failed cases.
void PrintTo(const ContractPort& port, std::ostream* out) {
    *out << port.name;
}

const ContractPort kContractPorts[] = {
    {.name = "sim"},
    {.name = "sim:FILE", .inUse = "in use"},
    {.name = "i2c:sim", .driverMayHold = true},
    {.name = "i2c:sim:FILE", .inUse = "in use", .driverMayHold = true},
    {.name = "ch341:sim", .namesRefusedByte = false},
    {.name = "ch341:sim:FILE", .namesRefusedByte = false, .inUse = "in use"},
    {.name = "/dev/parport0", .inUse = "Another program holds the port through ppdev"},
    {.name = "io:0x378", .inUse = "is in use by another tarnel"},
    {.name = "i2c:1", .inUse = "is in use by another tarnel", .driverMayHold = true},
};

class PortContractTest : public testing::TestWithParam<ContractPort> {
protected:
    void SetUp() override {
        std::filesystem::create_directories(kDir);
        std::string name = GetParam().name;
        if (const auto at = name.find("FILE"); at != std::string::npos) {
            std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
            std::replace(test.begin(), test.end(), '/', '_');
            const std::string file = kDir + "/" + test;
            std::filesystem::remove(file);
            name.replace(at, 4, file);
        }
        m_name = name;
    }

    // A factory for the port with `faults` switched on, the kernel played
    // by m_kernel.
    std::unique_ptr<PortFactory> Port(const SimFaults& faults = {}) {
        auto factory = std::make_unique<PortFactory>(m_name);
        factory->SetSimFaults(faults);
        m_kernel.PlayFor(factory->Session());
        return factory;
    }

    static EepromImage Visible() {
        EepromImage image{};
        for (std::size_t i = 0; i < image.size(); ++i) {
            image[i] = static_cast<uint8_t>(0x5A ^ (i * 7));
        }
        return image;
    }

    FakeKernel m_kernel{"contract-kernel"};
    std::string m_name;
};

TEST_P(PortContractTest, TheNameIsOfItsKindAndPassesTheCheck) {
    ASSERT_NE(PortKinds::Find(m_name), nullptr);
    EXPECT_NO_THROW(PortFactory::CheckName(m_name));
}

TEST_P(PortContractTest, OpensDumpsWritesReadsBackAndVerifies) {
    auto port = Port();
    EepromImage dump{};
    ASSERT_TRUE(port->OpenLink()->ReadAll(dump));
    EXPECT_EQ(dump, SimEeprom::Pattern());
    ASSERT_TRUE(port->OpenLink()->WriteAll(Visible()));
    // A new link, as the next command opens one, meets the same switch.
    EepromImage readBack{};
    ASSERT_TRUE(port->OpenLink()->ReadAll(readBack));
    EXPECT_EQ(readBack, Visible());
}

TEST_P(PortContractTest, ProbesAHealthySwitchAndFailsAnAbsentOne) {
    ProbeReport healthy;
    Port()->OpenLink()->Probe(healthy);
    EXPECT_TRUE(healthy.Passed());
    ProbeReport absent;
    Port({.absent = true})->OpenLink()->Probe(absent);
    EXPECT_FALSE(absent.Passed());
}

TEST_P(PortContractTest, DeviceFaultsAreReturnedResultsThatNameTheRegister) {
    EepromImage dest = Visible();
    const LinkResult absent = Port({.absent = true})->OpenLink()->ReadAll(dest);
    EXPECT_FALSE(absent);
    EXPECT_NE(absent.message.find("did not acknowledge its address"), std::string::npos)
        << absent.message;
    EXPECT_EQ(dest, Visible());  // written only on success

    const LinkResult refused = Port({.dataNotAcknowledged = true})->OpenLink()->WriteAll(Visible());
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.failedRegister, 0);
    if (GetParam().namesRefusedByte) {
        EXPECT_NE(refused.message.find(DeviceLink::DataByteNotAcknowledged(Visible()[0])),
                  std::string::npos)
            << refused.message;
    }

    // Busy for ever after register 0: the bounded poll gives up on register 1.
    const LinkResult endless = Port({.endlessWriteCycle = true})->OpenLink()->WriteAll(Visible());
    EXPECT_FALSE(endless);
    EXPECT_EQ(endless.failedRegister, 1);
    EXPECT_NE(endless.message.find(DeviceLink::WithinBound()), std::string::npos)
        << endless.message;
}

TEST_P(PortContractTest, APortIsInUseForAnotherRunWhileOpen) {
    if (GetParam().inUse == nullptr) {
        GTEST_SKIP() << "a switch in memory belongs to one run";
    }
    auto first = Port();
    auto second = Port();
    const auto held = first->OpenLink();
    try {
        second->OpenLink();
        FAIL() << "opened while in use";
    } catch (const PortError& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().inUse), std::string::npos)
            << error.what();
    }
}

TEST_P(PortContractTest, AnAddressHeldByAKernelDriverIsNamedAndLeftAlone) {
    if (!GetParam().driverMayHold) {
        GTEST_SKIP() << "no kernel driver sits between tarnel and this port's bus";
    }
    auto port = Port();
    SimSwitch& simulation = port->Session().Simulation();
    simulation.I2cFaults().driverBound = true;
    EepromImage dest = Visible();
    const LinkResult read = port->OpenLink()->ReadAll(dest);
    EXPECT_NE(read.message.find("holds address 0x50"), std::string::npos) << read.message;
    EXPECT_EQ(dest, Visible());
    EXPECT_FALSE(port->OpenLink()->WriteAll(Visible()));
    EXPECT_EQ(simulation.I2cTransfers(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, PortContractTest, testing::ValuesIn(kContractPorts),
                         [](const testing::TestParamInfo<ContractPort>& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

}  // namespace
