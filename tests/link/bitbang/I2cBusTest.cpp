// SPDX-License-Identifier: GPL-3.0-or-later
#include "I2cBus.h"

#include <gtest/gtest.h>

#include "BusMonitor.h"
#include "RecordingPort.h"

namespace {

using Kind = PortEvent::Kind;

class I2cBusTest : public ::testing::Test {
protected:
    RecordingPort port;
    I2cBus bus{port};
};

TEST_F(I2cBusTest, StartThenStopWritesTheExactSequenceWithOneDelayAfterEachWrite) {
    bus.Start();
    bus.Stop();
    EXPECT_EQ(port.WriteList(), "D80 C04 D00 C00 D00 C04 D80 C00 D00");
    const auto& events = port.Events();
    ASSERT_EQ(events.size(), 18u);
    for (std::size_t i = 0; i < events.size(); i += 2) {
        EXPECT_NE(events[i].kind, Kind::Delay);
        EXPECT_EQ(events[i + 1].kind, Kind::Delay);
    }
}

TEST_F(I2cBusTest, PrimitivesWriteTheirExactLists) {
    struct Case {
        const char* name;
        void (*run)(I2cBus&);
        const char* writes;
    };
    const Case cases[] = {
        {"RepeatedStart", [](I2cBus& b) { b.RepeatedStart(); }, "C04 D80 C04 D00 C00"},
        {"SendBit", [](I2cBus& b) { b.SendBit(0x5A); }, "D5A C04 C00"},
        {"AckClock", [](I2cBus& b) { b.AckClock(); }, "D80 C04 C00"},
        {"MasterAck", [](I2cBus& b) { b.MasterAck(); }, "D00 C00 C04 C00 D80"},
        {"Release", [](I2cBus& b) { b.Release(); }, "D80 C04"},
        {"SclLow", [](I2cBus& b) { b.SclLow(); }, "C00"},
        {"SendAddress A1", [](I2cBus& b) { b.SendAddress(0xA1); },
         "D80 C04 C00 D00 C04 C00 D80 C04 C00 D00 C04 C00 "
         "D00 C04 C00 D00 C04 C00 D00 C04 C00 D80 C04 C00"},
        {"SendAddress A0", [](I2cBus& b) { b.SendAddress(0xA0); },
         "D80 C04 C00 D00 C04 C00 D80 C04 C00 D00 C04 C00 "
         "D00 C04 C00 D00 C04 C00 D00 C04 C00 D00 C04 C00"},
        {"SendByte A5", [](I2cBus& b) { b.SendByte(0xA5); },
         "DA5 C04 C00 D4A C04 C00 D94 C04 C00 D28 C04 C00 "
         "D50 C04 C00 DA0 C04 C00 D40 C04 C00 D80 C04 C00"},
    };
    for (const Case& c : cases) {
        RecordingPort recording;
        I2cBus b(recording);
        c.run(b);
        EXPECT_EQ(recording.WriteList(), c.writes) << c.name;
        EXPECT_EQ(recording.Count(Kind::Status), 0) << c.name;
    }
}

TEST_F(I2cBusTest, MonitorSeesConditionsOnlyAtTheThirdWriteOfStartAndStop) {
    bus.Start();
    EXPECT_EQ(BusMonitor::DecodeText(port.Events()), "S");
    std::vector<PortEvent> firstTwo(port.Events().begin(), port.Events().begin() + 4);
    EXPECT_EQ(BusMonitor::DecodeText(firstTwo), "");  // data 0x80, control 0x04: no condition

    bus.SendAddress(0xA0);
    bus.AckClock();
    bus.SendByte(0x3C);
    bus.AckClock();
    port.SetStatus(0x40);
    bus.ReceiveByte();
    bus.MasterAck();
    bus.RepeatedStart();
    bus.Stop();
    EXPECT_EQ(BusMonitor::DecodeText(port.Events()), "S A0- 3C- FF+ Sr P");
}

TEST_F(I2cBusTest, ReceiveByteUsesOnlyStatusBit6) {
    const struct {
        uint8_t status;
        uint8_t expected;
    } cases[] = {{0x40, 0xFF}, {0x00, 0x00}, {0xBF, 0x00}, {0xFF, 0xFF}};
    for (const auto& c : cases) {
        RecordingPort recording;
        recording.SetStatus(c.status);
        I2cBus b(recording);
        EXPECT_EQ(b.ReceiveByte(), c.expected) << int{c.status};
        EXPECT_EQ(recording.Writes(), 17);
        EXPECT_EQ(recording.Count(Kind::Status), 8);
        EXPECT_EQ(recording.WriteList().substr(0, 7), "C00 C04");
    }
}

TEST_F(I2cBusTest, ReceiveByteTakesTheFirstSampleAsBit7) {
    port.ScriptStatus({0x40, 0x00, 0x40, 0x00, 0x40, 0x00, 0x40, 0x00});
    EXPECT_EQ(bus.ReceiveByte(), 0xAA);
    port.ScriptStatus({0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40});
    EXPECT_EQ(bus.ReceiveByte(), 0x81);
}

TEST_F(I2cBusTest, ReceiveBitSamplesWhileSclIsHigh) {
    port.ScriptStatus({0x40});
    EXPECT_EQ(bus.ReceiveBit(), 1);
    const auto& e = port.Events();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].kind, Kind::Control);
    EXPECT_EQ(e[0].value, 0x04);
    EXPECT_EQ(e[2].kind, Kind::Status);
    EXPECT_EQ(e[3].value, 0x00);
}

TEST_F(I2cBusTest, ReadAckLeavesSclHighAndTestsBit6) {
    port.ScriptStatus({0x00, 0x40, 0xBF});
    EXPECT_TRUE(bus.ReadAck());
    EXPECT_EQ(port.LastControl(), 0x04);
    EXPECT_FALSE(bus.ReadAck());
    EXPECT_EQ(port.LastControl(), 0x04);
    EXPECT_TRUE(bus.ReadAck());
    EXPECT_EQ(port.WriteList(), "D80 C04 D80 C04 D80 C04");
}

TEST_F(I2cBusTest, AckClockSampledHasTheWritesOfAckClockWithOneReadWhileSclIsHigh) {
    port.ScriptStatus({0x00});
    EXPECT_TRUE(bus.AckClockSampled());
    EXPECT_EQ(port.WriteList(), "D80 C04 C00");
    const auto& e = port.Events();
    ASSERT_EQ(e.size(), 7u);
    EXPECT_EQ(e[4].kind, Kind::Status);
    EXPECT_TRUE(e[4].scl);
    port.ScriptStatus({0x40});
    EXPECT_FALSE(bus.AckClockSampled());
}

TEST_F(I2cBusTest, StartFreeingBusOnAFreeLineIsAStartWithOneSense) {
    port.SetStatus(0x40);
    EXPECT_TRUE(bus.StartFreeingBus());
    EXPECT_EQ(port.WriteList(), "D80 C04 D00 C00");
    ASSERT_EQ(port.Count(Kind::Status), 1);
    EXPECT_EQ(port.Events()[4].kind, Kind::Status);  // between control 0x04 and data 0x00
}

TEST_F(I2cBusTest, StartFreeingBusClocksAStuckDeviceFree) {
    port.ScriptStatus({0x00, 0x00, 0x00, 0x40});
    EXPECT_TRUE(bus.StartFreeingBus());
    EXPECT_EQ(port.WriteList(), "D80 C04 C00 C04 C00 C04 C00 C04 D00 C00");
    EXPECT_EQ(port.Count(Kind::Status), 4);
}

TEST_F(I2cBusTest, StartFreeingBusGivesUpAfterNineClocksWithoutAStart) {
    port.SetStatus(0x00);
    EXPECT_FALSE(bus.StartFreeingBus());
    EXPECT_EQ(port.Writes(), 2 + 9 * 2);
    EXPECT_EQ(port.Count(Kind::Status), 10);
    EXPECT_EQ(port.LastData(), 0x80);  // SDA never pulled low: no START
    EXPECT_EQ(port.LastControl(), 0x04);
}

}  // namespace
