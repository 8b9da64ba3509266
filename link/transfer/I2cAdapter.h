// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// One message of a combined I2C transfer: a 7-bit address, a direction and
// its bytes.
struct I2cMessage {
    uint16_t address = 0;
    bool read = false;
    uint8_t* data = nullptr;
    uint16_t length = 0;
};

// An I2C adapter that carries whole transfers, as the kernel's i2c-dev
// interface offers them. The seam between the transaction-level link and the
// ioctl calls.
class I2cAdapter {
public:
    virtual ~I2cAdapter() = default;
    // The adapter as the user knows it ("/dev/i2c-1").
    virtual std::string Name() const = 0;
    // The adapter's functionality bits (I2C_FUNCS); throws PortError when
    // they cannot be read.
    virtual unsigned long Functions() = 0;
    // Empty when no kernel driver holds 7-bit `address`; otherwise which
    // driver does and how to unbind it.
    virtual std::string AddressHeldBy(uint16_t address) = 0;
    // One combined transfer: START, the messages separated by repeated
    // STARTs, STOP. Returns 0, or the error number: ENXIO (or EREMOTEIO on
    // some adapters) when an address is not acknowledged, EIO when a data
    // byte is not.
    virtual int Transfer(I2cMessage* messages, int count) = 0;
};
