// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "I2cBus.h"
#include "ProbeReport.h"

class EepromLink;

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
    // Probes through `bus`; `link` polls the EEPROM's address.
    LptProbe(I2cBus bus, EepromLink& link) : m_bus(bus), m_link(link) {}

    // Runs the checks, appending one step each to `report`.
    void Run(ProbeReport& report);

private:
    bool CheckPullUp(ProbeReport& report);
    bool CheckDrive(ProbeReport& report);
    bool CheckAddress(ProbeReport& report);
    bool CheckIdle(ProbeReport& report);

    I2cBus m_bus;
    EepromLink& m_link;
};
