// SPDX-License-Identifier: GPL-3.0-or-later
#include "EepromLink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "BusMonitor.h"
#include "FakeClock.h"
#include "PortError.h"
#include "RecordingPort.h"
#include "SimEeprom.h"
#include "SimPort.h"
#include "StalledWrites.h"

namespace {

using Kind = PortEvent::Kind;
using std::chrono::microseconds;
using std::chrono::milliseconds;

// 128 distinct values in a pattern where an off-by-one shows.
EepromImage Distinct() {
    EepromImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 2 + 1);
    }
    return image;
}

EepromImage Filled(uint8_t value) {
    EepromImage image{};
    image.fill(value);
    return image;
}

// `polls` refused address polls, each after the first a START straight from
// the refused ninth clock.
std::string RefusedPolls(int polls) {
    std::string text = "S A0-";
    for (int i = 1; i < polls; ++i) {
        text += " Sr A0-";
    }
    return text;
}

// A link over a recording port over the simulated EEPROM, sharing one fake
// clock that moves 100 us at every reading.
class LinkOverSim : public ::testing::Test {
protected:
    FakeClock clock{microseconds(100)};
    SimEeprom eeprom{clock};
    SimPort sim{eeprom};
    RecordingPort port{&sim};
    EepromLink link{port, clock};

    void ExpectIdleBus() const {
        std::vector<uint8_t> writes;
        for (const PortEvent& e : port.Events()) {
            if (e.kind == Kind::Data || e.kind == Kind::Control) {
                writes.push_back(e.value);
            }
        }
        ASSERT_GE(writes.size(), 2u);
        EXPECT_EQ(port.LastData(), 0x80);
        EXPECT_EQ(port.LastControl(), 0x04);
        EXPECT_EQ(writes.back(), 0x04) << "the release ends with control 0x04";
        EXPECT_TRUE(sim.SdaLevel());
    }

    std::set<uint8_t> Values(Kind kind) const {
        std::set<uint8_t> values;
        for (const PortEvent& e : port.Events()) {
            if (e.kind == kind) {
                values.insert(e.value);
            }
        }
        return values;
    }
};

TEST_F(LinkOverSim, ReadAllReturnsTheDeviceContentsInOneSequentialRead) {
    eeprom.Memory() = Distinct();
    EepromImage image = Filled(0x00);
    ASSERT_TRUE(link.ReadAll(image));
    EXPECT_EQ(image, Distinct());

    EXPECT_EQ(port.Writes(), 2911);
    EXPECT_EQ(port.Count(Kind::Delay), 2911);
    EXPECT_EQ(port.Count(Kind::Status), 1024 + 3);
    std::string expected = "S A0+ 00+ Sr A1+";
    for (std::size_t i = 0; i < 127; ++i) {
        char token[8];
        std::snprintf(token, sizeof token, " %02X+", Distinct()[i]);
        expected += token;
    }
    expected += " FF- P";  // byte 127 (0xFF) is not acknowledged by the master
    EXPECT_EQ(BusMonitor::DecodeText(port.Events()), expected);
    EXPECT_EQ(Values(Kind::Control), (std::set<uint8_t>{0x00, 0x04}));
    EXPECT_EQ(Values(Kind::Data), (std::set<uint8_t>{0x00, 0x80}));
    ExpectIdleBus();
}

TEST_F(LinkOverSim, StatusBitsOtherThanBit6AreIgnored) {
    eeprom.Memory() = Distinct();
    for (uint8_t other : {0x00, 0xBF, 0xFF}) {
        sim.SetOtherStatusBits(other);
        EepromImage image{};
        ASSERT_TRUE(link.ReadAll(image));
        EXPECT_EQ(image, Distinct()) << int{other};
    }
}

TEST_F(LinkOverSim, WriteAllToADeviceThatIsNeverBusy) {
    eeprom.SetWriteCycle(0);
    eeprom.Memory() = Filled(0x00);
    ASSERT_TRUE(link.WriteAll(Distinct()));
    EXPECT_EQ(eeprom.Memory(), Distinct());
    EXPECT_EQ(port.Writes(), 128 * 90 + 2);
    EXPECT_EQ(port.Count(Kind::Status), 1 + 128 * 3);

    std::string expected;
    for (int reg = 0; reg < 128; ++reg) {
        char transaction[32];
        std::snprintf(transaction, sizeof transaction, "%sS A0+ %02X+ %02X+ P", reg == 0 ? "" : " ",
                      reg, Distinct()[reg]);
        expected += transaction;
    }
    EXPECT_EQ(BusMonitor::DecodeText(port.Events()), expected);
    EXPECT_EQ(Values(Kind::Control), (std::set<uint8_t>{0x00, 0x04}));
    ExpectIdleBus();
}

TEST_F(LinkOverSim, WriteAllSendsWordAddressAndDataInShiftedForm) {
    eeprom.SetWriteCycle(0);
    EepromImage image = Filled(0x00);
    image[0x55] = 0xA5;
    ASSERT_TRUE(link.WriteAll(image));
    // Never busy: transaction n is writes 90n to 90n + 89; after START (4),
    // 0xA0 (24), its acknowledge (2) and SCL low (1) come the word address,
    // an acknowledge clock, the data byte, an acknowledge clock and STOP.
    const std::string all = port.WriteList();
    constexpr std::size_t kItem = 4;  // "D80 "
    const std::string tail = all.substr((90 * 0x55 + 31) * kItem, 59 * kItem - 1);
    EXPECT_EQ(tail,
              "D55 C04 C00 DAA C04 C00 D54 C04 C00 DA8 C04 C00 "
              "D50 C04 C00 DA0 C04 C00 D40 C04 C00 D80 C04 C00 D80 C04 C00 "
              "DA5 C04 C00 D4A C04 C00 D94 C04 C00 D28 C04 C00 "
              "D50 C04 C00 DA0 C04 C00 D40 C04 C00 D80 C04 C00 D80 C04 C00 "
              "D00 C04 D80 C00 D00");
}

TEST_F(LinkOverSim, AcknowledgePollingCostsThirtyWritesPerRefusal) {
    eeprom.SetWriteCycle(3);
    ASSERT_TRUE(link.WriteAll(Distinct()));
    EXPECT_EQ(eeprom.Memory(), Distinct());
    EXPECT_EQ(eeprom.BusyRefusals(), 127 * 3);
    EXPECT_EQ(port.Writes(), 128 * 90 + 2 + 30 * 127 * 3);
    EXPECT_EQ(port.Count(Kind::Status), 1 + 128 * 3 + 127 * 3);

    // Transaction 1: three refusals, each a new START with no STOP between.
    const auto tokens = BusMonitor::Decode(port.Events());
    const std::vector<std::string> second(tokens.begin() + 5,
                                          tokens.begin() + 14);  // after "S A0+ 00+ 01+ P"
    const std::vector<std::string> expected = {"S",   "A0-", "Sr",  "A0-", "Sr",
                                               "A0-", "Sr",  "A0+", "01+"};
    EXPECT_EQ(second, expected);
}

TEST_F(LinkOverSim, WriteAllWaitsOutATimedWriteCycle) {
    eeprom.SetWriteCycle(milliseconds(5));
    ASSERT_TRUE(link.WriteAll(Distinct()));
    EXPECT_EQ(eeprom.Memory(), Distinct());
    EXPECT_GT(eeprom.BusyRefusals(), 0);
}

TEST_F(LinkOverSim, ReadAllRightAfterWriteAllWaitsForTheLastWriteCycle) {
    eeprom.SetWriteCycle(2);
    ASSERT_TRUE(link.WriteAll(Distinct()));
    const int refusals = eeprom.BusyRefusals();
    EepromImage image{};
    ASSERT_TRUE(link.ReadAll(image));
    EXPECT_EQ(image, Distinct());
    EXPECT_EQ(eeprom.BusyRefusals(), refusals + 2);
}

TEST(EepromLinkPause, APauseLongerThanTheBoundBetweenTwoAttemptsIsNoRefusal) {
    // Every clock reading is 30 ms later, as if the process were held off the
    // processor between readings: the device is busy at the first attempt
    // after a write and free at the second, made after the 25 ms bound.
    FakeClock clock{milliseconds(30)};
    SimEeprom eeprom{clock};
    eeprom.SetWriteCycle(milliseconds(100));
    SimPort sim{eeprom};
    EepromLink link{sim, clock};
    EXPECT_TRUE(link.WriteAll(Distinct()));
    EXPECT_EQ(eeprom.Memory(), Distinct());
    EXPECT_GT(eeprom.BusyRefusals(), 0);
}

TEST_F(LinkOverSim, AbsentDeviceFailsReadAllWithinTheBoundAndLeavesTheDestination) {
    eeprom.GetFaults().absent = true;
    EepromImage image = Distinct();
    const LinkResult result = link.ReadAll(image);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.failedRegister, 0);
    EXPECT_NE(result.message.find("register 0"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("0xA0"), std::string::npos) << result.message;
    EXPECT_EQ(image, Distinct());
    // One reading per poll, 100 us each plus a 200 us pause after each
    // refusal: the poll begun at 25.3 ms (the 85th) is the first past the
    // 25 ms bound and the last.
    EXPECT_EQ(clock.Readings(), 85);
    EXPECT_EQ(clock.Sleeps(), 84);
    EXPECT_EQ(BusMonitor::DecodeText(port.Events()), RefusedPolls(85) + " P");
    ExpectIdleBus();
}

TEST_F(LinkOverSim, AbsentDeviceFailsWriteAllWithinTheBoundAtRegisterZero) {
    eeprom.GetFaults().absent = true;
    const LinkResult result = link.WriteAll(Distinct());
    EXPECT_FALSE(result);
    EXPECT_EQ(result.failedRegister, 0);
    EXPECT_NE(result.message.find("within 25 ms"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("Nothing was written"), std::string::npos) << result.message;
    EXPECT_EQ(clock.Readings(), 85);
    EXPECT_EQ(BusMonitor::DecodeText(port.Events()), RefusedPolls(85) + " P");
    EXPECT_EQ(eeprom.CommittedBytes(), 0);
    ExpectIdleBus();
}

TEST_F(LinkOverSim, EndlessWriteCycleFailsWriteAllNamingTheRegister) {
    eeprom.GetFaults().endlessWriteCycle = true;
    eeprom.Memory() = Filled(0x00);
    const LinkResult result = link.WriteAll(Distinct());
    EXPECT_FALSE(result);
    EXPECT_EQ(result.failedRegister, 1);
    EXPECT_NE(result.message.find("at register 1"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("partly written"), std::string::npos) << result.message;
    EXPECT_EQ(eeprom.Memory()[0], Distinct()[0]);
    EXPECT_EQ(eeprom.CommittedBytes(), 1);
    EXPECT_EQ(BusMonitor::DecodeText(port.Events()), "S A0+ 00+ 01+ P " + RefusedPolls(85) + " P");
    ExpectIdleBus();
}

// The link and the device on one virtual clock that jumps 30 ms at every
// seventh reading, as a process that a loaded machine deschedules between two
// polls: the write cycle is over when the process runs again, so no write
// fails; a device busy for ever still fails after one poll past the bound.
TEST(EepromLinkStalled, StallsBetweenPollsFailNoWriteAndAnEndlessCycleStillFails) {
    FakeClock clock(microseconds(10), 7, milliseconds(30));
    SimEeprom eeprom(clock);
    eeprom.SetWriteCycle(milliseconds(5));
    SimPort sim(eeprom);
    EepromLink link(sim, clock);
    ExpectWritesSurviveStalls(link, eeprom, Distinct());

    eeprom.GetFaults().endlessWriteCycle = true;
    RecordingPort port(&sim);
    EepromLink busyLink(port, clock);
    const LinkResult result = busyLink.WriteAll(Distinct());
    EXPECT_FALSE(result);
    EXPECT_EQ(result.failedRegister, 0);  // the last write's cycle never ends
    // The busy device reads no clock, so the last readings are the polls' starts.
    const auto tokens = BusMonitor::Decode(port.Events());
    const int polls = static_cast<int>(std::count(tokens.begin(), tokens.end(), "A0-"));
    EXPECT_EQ(clock.LateReadings(polls, DeviceLink::kAckPollBound), 1);
}

TEST_F(LinkOverSim, RefusedDataByteFailsWriteAllAtTheFirstRegister) {
    eeprom.GetFaults().dataNotAcknowledged = true;
    eeprom.Memory() = Filled(0x00);
    const LinkResult result = link.WriteAll(Distinct());
    EXPECT_FALSE(result);
    EXPECT_EQ(result.failedRegister, 0);
    EXPECT_NE(result.message.find("data byte 01"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("Nothing was written"), std::string::npos) << result.message;
    EXPECT_EQ(eeprom.CommittedBytes(), 0);
    EXPECT_EQ(BusMonitor::DecodeText(port.Events()), "S A0+ 00+ 01- P");
    ExpectIdleBus();
}

TEST_F(LinkOverSim, DataLineHeldLowFailsBothOperationsWithoutAStart) {
    eeprom.GetFaults().sdaHeldLow = true;
    EepromImage image = Distinct();
    const LinkResult read = link.ReadAll(image);
    EXPECT_FALSE(read);
    EXPECT_NE(read.message.find("held low"), std::string::npos) << read.message;
    EXPECT_EQ(image, Distinct());
    EXPECT_EQ(port.Count(Kind::Status), 10);  // one sense and nine freeing clocks
    EXPECT_EQ(port.LastData(), 0x80);
    EXPECT_EQ(port.LastControl(), 0x04);

    port.Clear();
    const LinkResult write = link.WriteAll(Distinct());
    EXPECT_FALSE(write);
    EXPECT_EQ(write.failedRegister, 0);
    EXPECT_NE(write.message.find("held low"), std::string::npos) << write.message;
    EXPECT_EQ(port.LastData(), 0x80);
    EXPECT_EQ(port.LastControl(), 0x04);
}

TEST_F(LinkOverSim, ADeviceStuckMidByteIsClockedFreeAndTheReadGoesOn) {
    eeprom.Memory() = Filled(0x00);
    // Leave the device in the middle of sending a byte of zeros, as an
    // operation interrupted during a read would.
    I2cBus bus(sim);
    bus.Start();
    bus.SendAddress(0xA1);
    bus.AckClock();
    bus.ReceiveBit();
    bus.ReceiveBit();
    ASSERT_FALSE(sim.SdaLevel());

    EepromImage image = Distinct();
    ASSERT_TRUE(link.ReadAll(image));
    EXPECT_EQ(image, Filled(0x00));
    // Six clocks run out the byte and its acknowledge slot; then the START.
    EXPECT_EQ(port.WriteList().substr(0, 31), "D80 C04 C00 C04 C00 C04 C00 C04");
    EXPECT_EQ(port.Count(Kind::Status), 1 + 6 + 2 + 1024);
    ExpectIdleBus();
}

// Scripted status reads, with no device: each case names what the reads say.
struct ScriptedFailure {
    const char* name;
    std::initializer_list<uint8_t> status;
    const char* expectedText;
    const char* decoded;
};

TEST(EepromLinkScripted, MissingAcknowledgesEndTheOperationWithStopAndRelease) {
    const ScriptedFailure cases[] = {
        // free line, 0xA0 acknowledged, 0xA1 not
        {"read address refused", {0x40, 0x00, 0x40}, "0xA1", "S A0- 00- Sr A1- P"},
    };
    for (const ScriptedFailure& c : cases) {
        RecordingPort port;
        port.ScriptStatus(c.status);
        FakeClock clock(microseconds(1));
        EepromLink link(port, clock);
        EepromImage image = Distinct();
        const LinkResult result = link.ReadAll(image);
        EXPECT_FALSE(result) << c.name;
        EXPECT_NE(result.message.find(c.expectedText), std::string::npos) << result.message;
        EXPECT_EQ(image, Distinct()) << c.name;
        EXPECT_EQ(BusMonitor::DecodeText(port.Events()), c.decoded) << c.name;  // master's view
        EXPECT_EQ(port.LastData(), 0x80);
        EXPECT_EQ(port.LastControl(), 0x04);
    }
}

TEST(EepromLinkScripted, RefusedWordAddressFailsTheWrite) {
    RecordingPort port;
    port.ScriptStatus({0x40, 0x00, 0x40});  // free line, 0xA0 acknowledged, word address not
    EepromLink link(port);
    const LinkResult result = link.WriteAll(Distinct());
    EXPECT_FALSE(result);
    EXPECT_EQ(result.failedRegister, 0);
    EXPECT_NE(result.message.find("word address"), std::string::npos) << result.message;
    EXPECT_EQ(BusMonitor::DecodeText(port.Events()), "S A0- 00- P");  // master's view only
    EXPECT_EQ(port.LastControl(), 0x04);
}

TEST(EepromLinkScripted, StatusAlwaysLowIsALineHeldLowNotAnImageOfZeros) {
    RecordingPort port;
    port.SetStatus(0x00);
    EepromLink link(port);
    EepromImage image = Distinct();
    EXPECT_FALSE(link.ReadAll(image));
    EXPECT_EQ(image, Distinct());
}

// A port whose backend stops answering after a number of writes, as a ppdev
// port does when the adapter is unplugged.
class FailingPort : public LptPort {
public:
    explicit FailingPort(int goodWrites) : m_goodWrites(goodWrites) {}

protected:
    void OutData(uint8_t) override { Count(); }
    void OutControl(uint8_t) override { Count(); }
    // SDA reads high at the first sense (a free line), low afterwards (every
    // acknowledge given).
    uint8_t InStatus() override { return m_reads++ == 0 ? 0x40 : 0x00; }

private:
    void Count() {
        if (--m_goodWrites < 0) {
            throw PortError("Cannot write to the parallel port /dev/parport0: No such device.");
        }
    }
    int m_goodWrites;
    int m_reads = 0;
};

TEST(EepromLinkScripted, APortThatStopsAnsweringIsReportedWithItsMessage) {
    FailingPort readPort(500);
    EepromLink readLink(readPort);
    EepromImage image = Distinct();
    const LinkResult read = readLink.ReadAll(image);
    EXPECT_FALSE(read);
    EXPECT_NE(read.message.find("No such device"), std::string::npos) << read.message;
    EXPECT_EQ(read.message.find(".."), std::string::npos) << read.message;
    // 90 writes come before byte 0 and 22 with each byte: write 501 is in byte 18.
    EXPECT_EQ(read.failedRegister, 18);
    EXPECT_NE(read.message.find("at register 18"), std::string::npos) << read.message;
    EXPECT_EQ(image, Distinct());

    FailingPort writePort(90 * 3 + 10);
    EepromLink writeLink(writePort);
    const LinkResult write = writeLink.WriteAll(Distinct());
    EXPECT_FALSE(write);
    EXPECT_EQ(write.failedRegister, 3);
    EXPECT_NE(write.message.find("Registers 0 to 2 were written"), std::string::npos)
        << write.message;
}

}  // namespace
