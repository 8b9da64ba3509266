// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimEeprom.h"

#include <gtest/gtest.h>

#include "FakeClock.h"
#include "I2cBus.h"
#include "SimPort.h"

namespace {

// Drives the simulated EEPROM with the bus primitives, transaction by
// transaction, to check its protocol without EepromLink.
class SimEepromTest : public ::testing::Test {
protected:
    FakeClock clock;
    SimEeprom eeprom{clock};
    SimPort port{eeprom};
    I2cBus bus{port};

    bool Address(uint8_t address) {
        bus.Start();
        bus.SendAddress(address);
        return bus.AckClockSampled();
    }
    // START, 0xA0, word address, the bytes, STOP; returns the acknowledges.
    std::string Write(uint8_t word, std::initializer_list<uint8_t> bytes) {
        std::string acks = Address(0xA0) ? "+" : "-";
        bus.SendByte(word);
        acks += bus.AckClockSampled() ? "+" : "-";
        for (uint8_t b : bytes) {
            bus.SendByte(b);
            acks += bus.AckClockSampled() ? "+" : "-";
        }
        bus.Stop();
        bus.Release();
        return acks;
    }
    // Current-address read of `count` bytes.
    std::vector<uint8_t> ReadCurrent(int count) {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(Address(0xA1));
        for (int i = 0; i < count; ++i) {
            bytes.push_back(bus.ReceiveByte());
            if (i + 1 < count) {
                bus.MasterAck();
            } else {
                bus.AckClock();
            }
        }
        bus.Stop();
        bus.Release();
        return bytes;
    }
};

TEST_F(SimEepromTest, StartsWithAVisibleNonZeroPattern) {
    const EepromImage pattern = SimEeprom::Pattern();
    EXPECT_EQ(eeprom.Memory(), pattern);
    for (uint8_t value : pattern) {
        EXPECT_NE(value, 0);
    }
    EXPECT_NE(pattern[0], pattern[1]);
}

TEST_F(SimEepromTest, ByteWriteIsCommittedAtStopAndThenTheDeviceIsBusy) {
    eeprom.SetWriteCycle(2);
    EXPECT_EQ(Write(0x10, {0x3C}), "+++");
    EXPECT_EQ(eeprom.Memory()[0x10], 0x3C);
    EXPECT_FALSE(Address(0xA0));
    EXPECT_FALSE(Address(0xA0));
    EXPECT_TRUE(Address(0xA0));
    EXPECT_EQ(eeprom.BusyRefusals(), 2);
}

TEST_F(SimEepromTest, TimedWriteCycleEndsWhenItsTimeHasPassed) {
    eeprom.SetWriteCycle(std::chrono::milliseconds(5));
    Write(0x00, {0x11});
    clock.Advance(std::chrono::milliseconds(4));
    EXPECT_FALSE(Address(0xA0));
    clock.Advance(std::chrono::milliseconds(1));
    EXPECT_TRUE(Address(0xA0));
}

TEST_F(SimEepromTest, AWriteWithoutItsStopIsDropped) {
    Address(0xA0);
    bus.SendByte(0x20);
    bus.AckClock();
    bus.SendByte(0x77);
    bus.AckClock();
    bus.RepeatedStart();  // a START instead of the STOP abandons the write
    bus.SendAddress(0xA1);
    bus.AckClock();
    bus.AckClock();
    bus.Stop();
    EXPECT_EQ(eeprom.Memory()[0x20], SimEeprom::Pattern()[0x20]);
    EXPECT_EQ(eeprom.CommittedBytes(), 0);
}

TEST_F(SimEepromTest, PageWriteRollsOverWithinItsEightBytes) {
    Write(0x06, {0x01, 0x02, 0x03});
    EXPECT_EQ(eeprom.Memory()[0x06], 0x01);
    EXPECT_EQ(eeprom.Memory()[0x07], 0x02);
    EXPECT_EQ(eeprom.Memory()[0x00], 0x03);
    EXPECT_EQ(eeprom.Memory()[0x08], SimEeprom::Pattern()[0x08]);
}

TEST_F(SimEepromTest, SequentialReadWrapsFrom127ToZero) {
    Write(0x7E, {});  // sets the address pointer only: nothing to commit
    EXPECT_EQ(eeprom.CommittedBytes(), 0);
    const auto bytes = ReadCurrent(3);
    const EepromImage p = SimEeprom::Pattern();
    EXPECT_EQ(bytes, (std::vector<uint8_t>{p[0x7E], p[0x7F], p[0x00]}));
    EXPECT_EQ(ReadCurrent(1), (std::vector<uint8_t>{p[0x01]}));  // the pointer ran on
}

TEST_F(SimEepromTest, OtherDeviceAddressesAreNotAcknowledged) {
    EXPECT_FALSE(Address(0xA2));
    EXPECT_FALSE(Address(0x50));
    EXPECT_TRUE(Address(0xA1));
}

TEST_F(SimEepromTest, FaultsShowOnTheLines) {
    eeprom.GetFaults().absent = true;
    EXPECT_FALSE(Address(0xA0));
    eeprom.GetFaults().absent = false;

    eeprom.GetFaults().dataNotAcknowledged = true;
    EXPECT_EQ(Write(0x00, {0x55}), "++-");
    EXPECT_EQ(eeprom.CommittedBytes(), 0);
    eeprom.GetFaults().dataNotAcknowledged = false;

    eeprom.GetFaults().writeProtected = true;
    EXPECT_EQ(Write(0x00, {0x55}), "+++");
    EXPECT_EQ(eeprom.CommittedBytes(), 0);
    EXPECT_EQ(eeprom.Memory()[0], SimEeprom::Pattern()[0]);
    eeprom.GetFaults().writeProtected = false;

    eeprom.GetFaults().sdaHeldLow = true;
    bus.Release();
    EXPECT_EQ(port.ReadStatus() & 0x40, 0);
    eeprom.GetFaults().sdaHeldLow = false;

    eeprom.GetFaults().endlessWriteCycle = true;
    eeprom.SetWriteCycle(0);
    EXPECT_EQ(Write(0x00, {0x55}), "+++");
    clock.Advance(std::chrono::seconds(10));
    EXPECT_FALSE(Address(0xA0));
}

TEST_F(SimEepromTest, OnlyStatusBit6FollowsSda) {
    port.SetOtherStatusBits(0xFF);
    bus.Release();
    EXPECT_EQ(port.ReadStatus(), 0xFF);
    port.SetOtherStatusBits(0x00);
    EXPECT_EQ(port.ReadStatus(), 0x40);
    bus.Start();
    EXPECT_EQ(port.ReadStatus(), 0x00);
}

TEST(SimEepromFaultsTest, FaultNamesSwitchOnTheirFaultsAndAnUnknownOneIsRefused) {
    const SimEeprom::Faults all =
        SimEeprom::ParseFaults("absent, write-protected,sda-low ,busy,\tnak-data");
    EXPECT_TRUE(all.absent && all.writeProtected && all.sdaHeldLow && all.endlessWriteCycle &&
                all.dataNotAcknowledged);
    const SimEeprom::Faults one = SimEeprom::ParseFaults("busy");
    EXPECT_TRUE(one.endlessWriteCycle);
    EXPECT_FALSE(one.absent || one.writeProtected || one.sdaHeldLow || one.dataNotAcknowledged);
    EXPECT_FALSE(SimEeprom::ParseFaults("").absent);
    try {
        SimEeprom::ParseFaults("busy,wp");
        FAIL() << "an unknown fault was accepted";
    } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find("\"wp\""), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("nak-data"), std::string::npos) << error.what();
    }
}

TEST(SimEepromFaultsTest, UsbFaultsTakeACountOfTransfersOnlyTheyMayHave) {
    using Kind = SimUsbFaults::Kind;
    struct Case {
        const char* names;
        int before;
        Kind kind;
    };
    for (const Case& c :
         {Case{"", -1, Kind::Unplugged}, Case{"unplugged", 0, Kind::Unplugged},
          Case{"busy, unplugged:40", 40, Kind::Unplugged},
          Case{"failed-then-gone:7", 7, Kind::FailedThenGone}, Case{"silent", 0, Kind::Silent},
          Case{"silent-then-gone:0", 0, Kind::SilentThenGone}}) {
        const SimFaults faults = SimEeprom::ParseFaults(c.names);
        EXPECT_EQ(faults.usb.transfersBeforeFault, c.before) << c.names;
        EXPECT_EQ(faults.usb.kind, c.kind) << c.names;
    }
    for (const char* refused :
         {"absent:3", "unplugged:", "unplugged:x", "silent:-1", "unplugged:9999999999"}) {
        EXPECT_THROW(SimEeprom::ParseFaults(refused), std::invalid_argument) << refused;
    }
}

}  // namespace
