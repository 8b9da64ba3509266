// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The three registers of a PC parallel port as the I2C adapter uses them.
// SDA is driven by data bit 7 (1 = released, 0 = pulled low), SCL by control
// bit 2, and SDA is sensed on status bit 6. A backend opens its port in its
// constructor and gives it back in its destructor; this interface only moves
// bytes, so a class derived from it sees every access of the link.
class LptPort {
public:
    virtual ~LptPort() = default;

    // One write of the data register, then one call of Delay().
    void WriteData(uint8_t value);
    // One write of the control register, then one call of Delay().
    void WriteControl(uint8_t value);
    // One read of the status register; no delay follows.
    uint8_t ReadStatus();

    // Bus delay hook, called once after every register write. Empty: the bus
    // runs as fast as the port accepts writes.
    virtual void Delay() {}

protected:
    // Raw write of the data register (0x378 on the first port).
    virtual void OutData(uint8_t value) = 0;
    // Raw write of the control register (0x37A on the first port).
    virtual void OutControl(uint8_t value) = 0;
    // Raw read of the status register (0x379 on the first port).
    virtual uint8_t InStatus() = 0;
};
