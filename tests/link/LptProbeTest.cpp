#include "LptProbe.h"

#include <gtest/gtest.h>

#include <functional>

#include "BusMonitor.h"
#include "EepromLink.h"
#include "FakeClock.h"
#include "RecordingPort.h"
#include "SimEeprom.h"
#include "SimPort.h"

namespace {

using std::chrono::microseconds;

// The probe through a recording port over the simulated EEPROM; the fake
// clock moves 100 us at every reading, so the polling bound is reached
// without waiting.
class LptProbeTest : public ::testing::Test {
protected:
    FakeClock clock{microseconds(100)};
    SimEeprom eeprom{clock};
    SimPort sim{eeprom};
    RecordingPort port{&sim};
    EepromLink link{port, clock};

    ProbeReport Probe() {
        port.Clear();
        ProbeReport report;
        link.Probe(report);
        return report;
    }

    // The probe wrote nothing: an acknowledged address is followed by its
    // STOP, never by a word address; and the bus is left idle.
    void ExpectNothingWritten(const EepromImage& before) const {
        EXPECT_EQ(eeprom.Memory(), before);
        const std::vector<std::string> tokens = BusMonitor::Decode(port.Events());
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            if (tokens[i] == "A0+") {
                ASSERT_LT(i + 1, tokens.size());
                EXPECT_EQ(tokens[i + 1], "P");
            }
        }
        EXPECT_EQ(port.LastData(), 0x80);
        EXPECT_EQ(port.LastControl(), 0x04);
    }
};

// Each simulator fault, with the step it stops at and words of its verdict.
struct FaultCase {
    const char* name;
    std::function<void(SimEeprom&, EepromLink&)> fault;
    std::size_t steps;
    bool passed;
    const char* verdict;
};

TEST_F(LptProbeTest, EachFaultGivesItsOwnDiagnosisAndNothingIsWritten) {
    const FaultCase cases[] = {
        {"healthy", [](SimEeprom&, EepromLink&) {}, 4, true, ""},
        {"sda-low", [](SimEeprom& s, EepromLink&) { s.GetFaults().sdaHeldLow = true; }, 1, false,
         "SDA reads low"},
        {"absent", [](SimEeprom& s, EepromLink&) { s.GetFaults().absent = true; }, 3, false,
         "no acknowledge within 25 ms"},
        {"busy for ever",
         [](SimEeprom& s, EepromLink& l) {
             s.GetFaults().endlessWriteCycle = true;
             l.WriteAll(SimEeprom::Pattern());
         },
         3, false, "stuck in a write cycle"},
        {"busy a while",
         [](SimEeprom& s, EepromLink& l) {
             s.SetWriteCycle(3);
             l.WriteAll(SimEeprom::Pattern());
         },
         4, true, "busy at first"},
        {"nak-data", [](SimEeprom& s, EepromLink&) { s.GetFaults().dataNotAcknowledged = true; }, 4,
         true, ""},
        {"write-protected", [](SimEeprom& s, EepromLink&) { s.GetFaults().writeProtected = true; },
         4, true, ""},
    };
    for (const FaultCase& c : cases) {
        eeprom.GetFaults() = {};
        eeprom.SetWriteCycle(0);
        link.WriteAll(SimEeprom::Pattern());
        c.fault(eeprom, link);
        const EepromImage before = eeprom.Memory();
        const int committed = eeprom.CommittedBytes();
        const ProbeReport report = Probe();
        ASSERT_EQ(report.Steps().size(), c.steps) << c.name;
        EXPECT_EQ(report.Passed(), c.passed) << c.name;
        const std::string line = report.Steps()[c.passed ? 2 : c.steps - 1].Line();
        EXPECT_NE(line.find(c.verdict), std::string::npos) << c.name << ": " << line;
        EXPECT_EQ(eeprom.CommittedBytes(), committed) << c.name;
        SCOPED_TRACE(c.name);
        ExpectNothingWritten(before);
    }
}

TEST_F(LptProbeTest, AHealthyBusIsOneAddressedStartStop) {
    const ProbeReport report = Probe();
    ASSERT_TRUE(report.Passed());
    EXPECT_EQ(report.Steps()[2].Line(), "EEPROM acknowledges its address 0xA0: ok");
    EXPECT_EQ(BusMonitor::DecodeText(port.Events()), "S A0+ P");
}

TEST_F(LptProbeTest, ADeviceLeftMidByteIsFreedWithoutACondition) {
    I2cBus bus(port);
    bus.Start();
    bus.SendAddress(0xA1);
    ASSERT_TRUE(bus.AckClockSampled());
    bus.ReceiveBit();  // 0xA5: the device now drives its second bit, a 0
    ASSERT_FALSE(sim.SdaLevel());
    const ProbeReport report = Probe();
    EXPECT_TRUE(report.Passed());
    EXPECT_NE(report.Steps()[0].Line().find("freed a device"), std::string::npos);
    EXPECT_EQ(BusMonitor::DecodeText(port.Events()), "S A0+ P");
}

TEST_F(LptProbeTest, APortWithNoAdapterFailsTheLineChecks) {
    RecordingPort bare;  // nothing attached: status reads a fixed value
    EepromLink bareLink(bare, clock);
    bare.SetStatus(0x7F);  // pulled high, never following data bit 7
    ProbeReport floating;
    bareLink.Probe(floating);
    ASSERT_EQ(floating.Steps().size(), 2u);
    EXPECT_NE(floating.Steps()[1].Line().find("FAILED: SDA still reads high while the port"),
              std::string::npos);

    bare.SetStatus(0x00);
    ProbeReport unpowered;
    bareLink.Probe(unpowered);
    ASSERT_EQ(unpowered.Steps().size(), 1u);
    EXPECT_FALSE(unpowered.Passed());
    EXPECT_EQ(bare.LastData(), 0x80);
    EXPECT_EQ(bare.LastControl(), 0x04);
}

}  // namespace
