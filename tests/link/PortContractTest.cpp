// SPDX-License-Identifier: GPL-3.0-or-later
// The contract every port kind keeps, run over each kind of the table that
// can be opened here: against the simulated switch, through the factory, as
// the device commands use a port. A new kind joins with one line in
// kContractPorts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "PortError.h"
#include "PortFactory.h"
#include "PortKinds.h"
#include "SimEeprom.h"

namespace {

const std::string kDir = std::string(TARNEL_TEST_TMP) + "/contract";

// One kind of port in the contract: its name (FILE stands for a file of the
// test's own) and whether its adapter sees the acknowledge of every byte, so
// that a refused data byte is named (a USB bridge reports only that the
// transfer failed).
struct ContractPort {
    const char* name;
    bool namesRefusedByte;
};

const ContractPort kContractPorts[] = {
    {"sim", true},          {"sim:FILE", true},   {"i2c:sim", true},
    {"i2c:sim:FILE", true}, {"ch341:sim", false}, {"ch341:sim:FILE", false},
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
            m_keptInFile = true;
        }
        m_name = name;
    }

    // A factory for the port with `faults` switched on.
    std::unique_ptr<PortFactory> Port(const SimFaults& faults = {}) {
        auto factory = std::make_unique<PortFactory>(m_name);
        factory->SetSimFaults(faults);
        return factory;
    }

    static EepromImage Visible() {
        EepromImage image{};
        for (std::size_t i = 0; i < image.size(); ++i) {
            image[i] = static_cast<uint8_t>(0x5A ^ (i * 7));
        }
        return image;
    }

    std::string m_name;
    bool m_keptInFile = false;
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

TEST_P(PortContractTest, APortKeptInAFileIsInUseForAnotherRunWhileOpen) {
    if (!m_keptInFile) {
        GTEST_SKIP() << "a switch in memory belongs to one run";
    }
    auto first = Port();
    auto second = Port();
    const auto held = first->OpenLink();
    try {
        second->OpenLink();
        FAIL() << "opened while in use";
    } catch (const PortError& error) {
        EXPECT_NE(std::string(error.what()).find("in use"), std::string::npos) << error.what();
    }
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
