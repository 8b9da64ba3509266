// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ProbeReport.h"

// One message of a combined I2C transfer: a 7-bit address, a direction and
// its bytes.
struct I2cMessage {
    uint16_t address = 0;
    bool read = false;
    uint8_t* data = nullptr;
    uint16_t length = 0;
};

// An I2C adapter that carries whole transfers: the kernel's i2c-dev
// adapters, USB bridges, the simulated adapter. The seam between the
// transfer link (TransferLink), which adds acknowledge polling, messages and
// the probe, and the adapter's own calls (ioctls, bulk transfers). Only
// Name() and Transfer() must be given; the questions only a kernel adapter
// can answer have defaults.
class I2cAdapter {
public:
    virtual ~I2cAdapter() = default;
    // The adapter as the user knows it ("/dev/i2c-1").
    virtual std::string Name() const = 0;
    // The adapter's functionality bits, as the kernel's I2C_FUNCS gives them;
    // throws PortError when they cannot be read. By default I2C_FUNC_I2C:
    // the adapter carries combined transfers.
    virtual unsigned long Functions();
    // Which kernel driver holds 7-bit `address` and how to unbind it; none
    // when no driver does. By default none: no kernel driver sits between
    // tarnel and an adapter of its own.
    virtual std::optional<std::string> AddressHeldBy(uint16_t address);
    // Whether the adapter is still there. Asked after an I/O error, since a
    // USB bridge unplugged during a transfer may answer EIO rather than
    // ENODEV. By default true.
    virtual bool StillPresent();
    // One combined transfer: START, the messages separated by repeated
    // STARTs, STOP. Returns 0, or the kernel's I2C fault code: ENXIO (or
    // EREMOTEIO on some adapters) when an address is not acknowledged, EIO
    // when a data byte is not, EBUSY or ETIMEDOUT for a bus that cannot be
    // started, ENODEV for an adapter that went away.
    virtual int Transfer(I2cMessage* messages, int count) = 0;
    // Appends the checks of the adapter itself, one step each, stopping at
    // the first that fails; returns whether all passed. None by default.
    virtual bool Probe(ProbeReport&) { return true; }
};
