// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "I2cBus.h"
#include "ProbeReport.h"

// The checks of a parallel-port adapter and the EEPROM behind it, each one a
// step of a ProbeReport, in this order, stopping at the first that fails:
//   pull-up     with SCL low and SDA released, SDA reads high;
//   drive       with SCL low, SDA driven low reads low, released reads high;
//   address     the EEPROM acknowledges 0xA0 (START, address, acknowledge,
//               STOP), polled as every transaction polls a busy device;
//   idle        the bus is left released with SDA reading high.
// SDA changes only while SCL is low, so no START or STOP appears outside the
// address check, and no word address or data byte is ever sent: the probe
// writes nothing. The bus is left idle also when a check fails.

class LptProbe {
public:
    // Polls the EEPROM's address after a refusal, as every transaction does
    // (START, 0xA0, acknowledge, STOP); true when it acknowledged in time.
    using PollAddress = std::function<bool()>;

    // Probes through `bus`; `pollAddress` waits out a busy EEPROM.
    LptProbe(I2cBus bus, PollAddress pollAddress)
        : m_bus(bus), m_pollAddress(std::move(pollAddress)) {}

    // Runs the checks, appending one step each to `report`.
    void Run(ProbeReport& report);

private:
    bool CheckPullUp(ProbeReport& report);
    bool CheckDrive(ProbeReport& report);
    bool CheckAddress(ProbeReport& report);
    bool CheckIdle(ProbeReport& report);

    I2cBus m_bus;
    PollAddress m_pollAddress;
};
