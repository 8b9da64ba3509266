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
    using Fault = std::function<void()>;
    const auto busyAfterAWrite = [&](bool forEver) {
        return [&, forEver] {
            eeprom.GetFaults().endlessWriteCycle = forEver;
            eeprom.SetWriteCycle(3);
            link.WriteAll(SimEeprom::Pattern());
        };
    };
    const struct {
        Fault fault;
        const char* last;  // the last step's line begins with this
    } cases[] = {
        {[] {}, "bus left idle (SDA and SCL released): ok"},
        {[&] { eeprom.GetFaults().sdaHeldLow = true; },
         "pull-up on SDA (SCL low, SDA released): "
         "FAILED: SDA reads low"},
        {[&] { eeprom.GetFaults().absent = true; },
         "EEPROM acknowledges its address 0xA0: FAILED: no acknowledge within 25 ms"},
        {busyAfterAWrite(true), "EEPROM acknowledges its address 0xA0: FAILED: no acknowledge"},
        {busyAfterAWrite(false), "bus left idle"},  // the address step: "busy at first"
        {[&] { eeprom.GetFaults().dataNotAcknowledged = true; }, "bus left idle"},
        {[&] { eeprom.GetFaults().writeProtected = true; }, "bus left idle"},
    };
    for (const auto& c : cases) {
        eeprom.GetFaults() = {};
        eeprom.SetWriteCycle(0);
        c.fault();
        const EepromImage before = eeprom.Memory();
        const ProbeReport report = Probe();
        const std::string last = report.Steps().back().Line();
        EXPECT_EQ(last.rfind(c.last, 0), 0u) << last;
        EXPECT_EQ(eeprom.Memory(), before) << last;
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
    EXPECT_EQ(Probe().Steps()[2].Line(), "EEPROM acknowledges its address 0xA0: ok");
    EXPECT_EQ(BusMonitor::DecodeText(port.Events()), "S A0+ P");
    eeprom.GetFaults() = {};
    busyAfterAWrite(false)();
    EXPECT_NE(Probe().Steps()[2].Line().find("ok, after it was busy at first"), std::string::npos);
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
