// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ch341Adapter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

#include "Ch341Boards.h"
#include "Ch341PortName.h"
#include "Ch341Protocol.h"
#include "FakeClock.h"
#include "FakeSysfs.h"
#include "PortError.h"
#include "PortNameError.h"
#include "SimCh341.h"
#include "SimEeprom.h"
#include "TransferLink.h"

namespace {

using namespace Ch341Protocol;

// The commands of a segment that begin a START, skipping the bytes that OUT
// commands carry.
int Starts(const std::vector<uint8_t>& segment) {
    int starts = 0;
    for (std::size_t i = 1; i + 1 < segment.size(); ++i) {
        const uint8_t command = segment[i];
        if ((command & 0xC0) == kOut) {
            i += (command & 0x3F) == 0 ? 1 : command & 0x3F;
        } else if (command == kStart) {
            ++starts;
        }
    }
    return starts;
}

// The adapter over the simulated chip, the simulated EEPROM behind it.
class Ch341AdapterTest : public ::testing::Test {
protected:
    FakeClock clock{std::chrono::microseconds(100)};
    SimEeprom eeprom{clock};
    SimCh341::Faults faults;
    int transfers = 0;
    SimCh341* chip = nullptr;

    std::unique_ptr<Ch341Adapter> Adapter() {
        auto sim = std::make_unique<SimCh341>(eeprom, faults, transfers);
        chip = sim.get();
        return std::make_unique<Ch341Adapter>(std::move(sim));
    }

    // A random read of `length` bytes from word address `from`.
    int Read(Ch341Adapter& adapter, uint8_t from, std::vector<uint8_t>& data) {
        I2cMessage messages[2] = {{0x50, false, &from, 1},
                                  {0x50, true, data.data(), static_cast<uint16_t>(data.size())}};
        return adapter.Transfer(messages, 2);
    }
};

TEST_F(Ch341AdapterTest, ReadsOfAnyLengthComeInSegmentsOfOneTransaction) {
    for (int length : {1, 2, 28, 29, 30, 32, 61, 62, 128}) {
        SCOPED_TRACE(length);
        auto adapter = Adapter();
        EXPECT_EQ(chip->Speed(), kSpeed100kHz);
        std::vector<uint8_t> data(length);
        ASSERT_EQ(Read(*adapter, 0, data), 0);
        EXPECT_TRUE(std::equal(data.begin(), data.end(), eeprom.Memory().begin()));
        int starts = 0;
        for (const std::vector<uint8_t>& segment : chip->Segments()) {
            EXPECT_LE(segment.size(), std::size_t(kPacketSize));
            starts += Starts(segment);
        }
        // The bus check's START, the write's and the read's repeated one.
        EXPECT_EQ(starts, 3);
        // Speed, bus check, then the read: in as few segments as 32-byte
        // replies allow.
        const std::size_t replies = 3 + length;
        EXPECT_EQ(chip->Segments().size(), 2 + (replies + kPacketSize - 1) / kPacketSize);
    }
}

TEST_F(Ch341AdapterTest, RefusedAddressesAndDataBytesEndTheTransferWithAStop) {
    // A refusal in a segment before the last is followed by a STOP of its own.
    {
        eeprom.GetFaults().absent = true;
        auto adapter = Adapter();
        std::vector<uint8_t> data(64);
        EXPECT_EQ(Read(*adapter, 0, data), ENXIO);
        const std::vector<uint8_t> stop = {kStream, kStop, kEnd};
        EXPECT_EQ(chip->Segments().back(), stop);
    }
    struct Case {
        const char* name;
        bool absent;
        bool dataRefused;
        int error;
    };
    for (const Case& c : {Case{"absent", true, false, ENXIO}, Case{"nak-data", false, true, EIO}}) {
        SCOPED_TRACE(c.name);
        eeprom.GetFaults().absent = c.absent;
        eeprom.GetFaults().dataNotAcknowledged = c.dataRefused;
        auto adapter = Adapter();
        const EepromImage before = eeprom.Memory();
        uint8_t bytes[2] = {5, 0x42};
        I2cMessage write{0x50, false, bytes, 2};
        EXPECT_EQ(adapter->Transfer(&write, 1), c.error);
        EXPECT_EQ(eeprom.Memory(), before);
        const std::vector<uint8_t>& last = chip->Segments().back();
        EXPECT_EQ(last[last.size() - 2], kStop);
    }
}

TEST_F(Ch341AdapterTest, AWriteCycleRefusesTheAddressUntilItEnds) {
    eeprom.SetWriteCycle(std::chrono::milliseconds(5));
    auto adapter = Adapter();
    uint8_t bytes[2] = {7, 0x3C};
    I2cMessage write{0x50, false, bytes, 2};
    ASSERT_EQ(adapter->Transfer(&write, 1), 0);
    std::vector<uint8_t> data(1);
    EXPECT_EQ(Read(*adapter, 7, data), ENXIO);
    clock.Sleep(std::chrono::milliseconds(6));
    ASSERT_EQ(Read(*adapter, 7, data), 0);
    EXPECT_EQ(data[0], 0x3C);
}

TEST_F(Ch341AdapterTest, AHeldDataLineIsABusyBus) {
    eeprom.GetFaults().sdaHeldLow = true;
    auto adapter = Adapter();
    std::vector<uint8_t> data(4);
    EXPECT_EQ(Read(*adapter, 0, data), EBUSY);
    ProbeReport report;
    EXPECT_FALSE(Adapter()->Probe(report));
    EXPECT_NE(report.Steps().back().verdict.find("held low"), std::string::npos);
}

TEST_F(Ch341AdapterTest, UsbFaultsHaveTheirOwnMessagesAndLeaveTheAdapterFailed) {
    struct Case {
        SimCh341::Faults::Kind kind;
        const char* message;
    };
    for (const Case& c : {Case{SimCh341::Faults::Kind::Unplugged, "was unplugged"},
                          Case{SimCh341::Faults::Kind::FailedThenGone, "was unplugged"},
                          Case{SimCh341::Faults::Kind::Silent, "stopped answering: no reply"},
                          Case{SimCh341::Faults::Kind::SilentThenGone, "gone from the USB bus"}}) {
        SCOPED_TRACE(c.message);
        transfers = 0;
        faults = {};
        auto adapter = Adapter();
        std::vector<uint8_t> data(8);
        ASSERT_EQ(Read(*adapter, 0, data), 0);
        // The next read's OUT goes, its reply does not come.
        faults = {transfers + 1, c.kind};
        try {
            Read(*adapter, 0, data);
            ADD_FAILURE() << "no PortError";
        } catch (const PortError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find("ch341:sim"), std::string::npos);
        }
        const int before = transfers;
        EXPECT_THROW(Read(*adapter, 0, data), PortError);
        EXPECT_EQ(transfers, before);
    }
}

TEST_F(Ch341AdapterTest, TheTransferLinkWritesAndReadsTheWholeImageThroughIt) {
    eeprom.SetWriteCycle(std::chrono::milliseconds(5));
    TransferLink link(Adapter(), clock);
    EepromImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 7 + 1);
    }
    ASSERT_TRUE(link.WriteAll(image));
    EepromImage back{};
    ASSERT_TRUE(link.ReadAll(back));
    EXPECT_EQ(back, image);
    // An unplug in the middle of the write names the register it reached.
    faults = {transfers + 40, SimCh341::Faults::Kind::Unplugged};
    const LinkResult result = link.WriteAll(image);
    EXPECT_FALSE(result);
    EXPECT_GT(result.failedRegister, 0);
    EXPECT_NE(result.message.find("unplugged"), std::string::npos) << result.message;
}

TEST(Ch341BoardsTest, BoardsAreFoundInSysfsAndNamedByPlace) {
    FakeSysfs sysfs("ch341-boards");
    const auto add = [&](const std::string& place, const char* product, int device) {
        const std::filesystem::path dir =
            std::filesystem::path(sysfs.Root()) / "bus/usb/devices" / place;
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "idVendor") << "1a86\n";
        std::ofstream(dir / "idProduct") << product << "\n";
        std::ofstream(dir / "busnum") << place.substr(0, 1) << "\n";
        std::ofstream(dir / "devnum") << device << "\n";
    };
    const Ch341Boards boards(sysfs.Root());
    // No board at all is found when the port is opened, not as a bad name.
    EXPECT_NO_THROW(Ch341PortName::Check("ch341", sysfs.Root()));
    add("1-2", "5523", 3);
    try {
        boards.OnlyPlace();
        ADD_FAILURE() << "no PortError";
    } catch (const PortNameError&) {
        ADD_FAILURE() << "no board is no usage error";
    } catch (const PortError& error) {
        EXPECT_NE(std::string(error.what()).find("serial mode"), std::string::npos);
    }
    add("1-4.2", "5512", 7);
    add("1-4.2:1.0", "5512", 7);
    EXPECT_EQ(boards.List(), (std::vector<Ch341Board>{{"1-4.2", 1, 7}}));
    EXPECT_EQ(Ch341PortName::Place("ch341", sysfs.Root()), "1-4.2");
    add("2-1", "5512", 2);
    EXPECT_THROW(Ch341PortName::Check("ch341", sysfs.Root()), PortNameError);
    for (const char* name : {"ch341:1-4.2", "ch341:2-1.3.4"}) {
        EXPECT_NO_THROW(Ch341PortName::Check(name, sysfs.Root())) << name;
    }
    for (const char* name : {"ch341:", "ch341:1", "ch341:1-0", "ch341:a-1", "ch341:1-4."}) {
        EXPECT_THROW(Ch341PortName::Check(name, sysfs.Root()), PortNameError) << name;
    }
}

}  // namespace
