// SPDX-License-Identifier: GPL-3.0-or-later
#include "LptProbe.h"

#include <string>

#include "DeviceLink.h"
#include "LinkText.h"

namespace {
constexpr uint8_t kWriteAddress = 0xA0;
}  // namespace

void LptProbe::Run(ProbeReport& report) {
    if (CheckPullUp(report) && CheckDrive(report) && CheckAddress(report)) {
        CheckIdle(report);
        return;
    }
    m_bus.Release();
}

bool LptProbe::CheckPullUp(ProbeReport& report) {
    const std::string check =
        TARNEL_TEXT("LptProbe", "pull-up on SDA (SCL low, SDA released)").Text();
    m_bus.SclLow();
    m_bus.SetSda(true);
    if (m_bus.SdaHigh()) {
        return report.Add(
            check, true,
            TARNEL_TEXT("LptProbe", "SDA reads high: the adapter is connected and the bus powered")
                .Text());
    }
    // A device left mid-byte by an interrupted transfer holds SDA until it
    // has clocked out its byte; SDA stays released, so no condition appears.
    for (int clock = 1; clock <= I2cBus::kFreeingClocks; ++clock) {
        m_bus.ReceiveBit();
        if (m_bus.SdaHigh()) {
            return report.Add(check, true,
                              TARNEL_TEXT("LptProbe",
                                          "SDA reads high after %1 clock(s) freed a device left in "
                                          "the middle of a byte")
                                  .Text(clock));
        }
    }
    return report.Add(
        check, false,
        TARNEL_TEXT("LptProbe",
                    "SDA reads low. The data line is held low (a short, or a damaged device "
                    "on the bus), or nothing powers the bus: check that the switch is on and "
                    "the adapter and its cable are plugged in")
            .Text());
}

bool LptProbe::CheckDrive(ProbeReport& report) {
    const std::string check =
        TARNEL_TEXT("LptProbe", "adapter drives and senses SDA (SCL low)").Text();
    m_bus.SetSda(false);
    const bool followsLow = !m_bus.SdaHigh();
    m_bus.SetSda(true);
    const bool followsHigh = m_bus.SdaHigh();
    if (!followsLow) {
        return report.Add(
            check, false,
            TARNEL_TEXT("LptProbe",
                        "SDA still reads high while the port drives it low: data line D7 "
                        "does not reach SDA or status line nAck (bit 6) does not sense it. "
                        "Is the adapter plugged into this port, and is it the right adapter?")
                .Text());
    }
    if (!followsHigh) {
        return report.Add(
            check, false,
            TARNEL_TEXT("LptProbe",
                        "SDA stays low after the port released it: the adapter's SDA driver "
                        "or the bus's pull-up is faulty; check the adapter")
                .Text());
    }
    return report.Add(
        check, true,
        TARNEL_TEXT("LptProbe", "driven low it reads low, released it reads high").Text());
}

bool LptProbe::CheckAddress(ProbeReport& report) {
    const std::string check =
        TARNEL_TEXT("LptProbe", "EEPROM acknowledges its address 0xA0").Text();
    m_bus.Start();
    m_bus.SendAddress(kWriteAddress);
    if (m_bus.ReadAck()) {
        m_bus.SclLow();
        m_bus.Stop();
        return report.Add(check, true);
    }
    // Refused: either busy with a write cycle or not there. The link polls
    // as every transaction does, from the high clock of this ninth bit.
    if (m_pollAddress()) {
        return report.Add(check, true, ProbeReport::AnsweredAfterBusy());
    }
    return report.Add(check, false,
                      TARNEL_TEXT("LptProbe",
                                  "no acknowledge %1. The bus is powered and the adapter works, so "
                                  "the EEPROM itself does not answer: it is missing or damaged, or "
                                  "stuck in a write cycle. Power the switch off and on, then probe "
                                  "again")
                          .Text(DeviceLink::WithinBound()));
}

bool LptProbe::CheckIdle(ProbeReport& report) {
    const std::string check =
        TARNEL_TEXT("LptProbe", "bus left idle (SDA and SCL released)").Text();
    m_bus.Release();
    if (m_bus.SdaHigh()) {
        return report.Add(check, true);
    }
    return report.Add(
        check, false,
        TARNEL_TEXT("LptProbe",
                    "SDA reads low after the STOP: something on the bus holds the data "
                    "line; power the switch off and on, then probe again")
            .Text());
}
