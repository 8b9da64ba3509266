// SPDX-License-Identifier: GPL-3.0-or-later
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

// The probe through a recording port over the simulated EEPROM; the fake
// clock moves 100 us at every reading, so the polling bound comes quickly.
class LptProbeTest : public ::testing::Test {
protected:
    FakeClock clock{std::chrono::microseconds(100)};
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
};

TEST_F(LptProbeTest, EachFaultGivesItsOwnDiagnosisAndNothingIsWritten) {
    const auto busyAfterAWrite = [&](bool forEver) {
        return [&, forEver] {
            eeprom.GetFaults().endlessWriteCycle = forEver;
            eeprom.SetWriteCycle(3);
            link.WriteAll(SimEeprom::Pattern());
        };
    };
    const std::string address = "EEPROM acknowledges its address 0xA0: ";
    const struct {
        std::function<void()> fault;
        std::string line;  // the failed step's line, or the address step's, begins so
    } cases[] = {
        {[] {}, address + "ok"},
        {[&] { eeprom.GetFaults().sdaHeldLow = true; },
         "pull-up on SDA (SCL low, SDA released): FAILED: SDA reads low"},
        {[&] { eeprom.GetFaults().absent = true; },
         address + "FAILED: no acknowledge within 25 ms"},
        {busyAfterAWrite(true), address + "FAILED: no acknowledge within 25 ms"},
        {busyAfterAWrite(false), address + "ok, after it was busy at first"},
        {[&] { eeprom.GetFaults().dataNotAcknowledged = true; }, address + "ok"},
        {[&] { eeprom.GetFaults().writeProtected = true; }, address + "ok"},
    };
    for (const auto& c : cases) {
        eeprom.GetFaults() = {};
        eeprom.SetWriteCycle(0);
        c.fault();
        const EepromImage before = eeprom.Memory();
        const ProbeReport report = Probe();
        const std::string line =
            report.Steps()[report.Passed() ? 2 : report.Steps().size() - 1].Line();
        EXPECT_EQ(line.rfind(c.line, 0), 0u) << line;
        EXPECT_EQ(eeprom.Memory(), before) << line;
        // An acknowledged address is followed by its STOP, never by a word
        // address; the bus is left idle.
        const std::string decoded = BusMonitor::DecodeText(port.Events());
        for (auto at = decoded.find("A0+"); at != std::string::npos;
             at = decoded.find("A0+", at + 1)) {
            EXPECT_EQ(decoded.compare(at, 5, "A0+ P"), 0) << decoded;
        }
        EXPECT_EQ(port.LastData(), 0x80);
        EXPECT_EQ(port.LastControl(), 0x04);
    }
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
    for (const auto& [status, failedStep] : {std::pair{0x7F, 1u}, std::pair{0x00, 0u}}) {
        bare.SetStatus(static_cast<uint8_t>(status));
        ProbeReport report;
        bareLink.Probe(report);
        ASSERT_EQ(report.Steps().size(), failedStep + 1);
        EXPECT_FALSE(report.Passed());
        EXPECT_EQ(bare.LastData(), 0x80);
        EXPECT_EQ(bare.LastControl(), 0x04);
    }
}

}  // namespace
