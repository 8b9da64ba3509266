// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "DeviceLink.h"
#include "I2cAdapter.h"
#include "MonotonicClock.h"

// The EEPROM through any adapter that moves whole I2C transfers (the
// kernel's i2c-dev adapters, USB bridges, the simulated adapter), at 7-bit
// address 0x50 (device-address bytes 0xA0/0xA1), transfer by transfer:
// ReadAll is one combined transfer (word address 0x00, repeated START, 128
// bytes); WriteAll is 128 byte writes (or 128 / page size page writes: the
// word address and the page's bytes in one message) in ascending order. Each
// transfer is
// retried, with a short pause, while the device does not acknowledge its
// address, until a retry begun 25 ms or more after the first is refused, so a
// write cycle (also one left by an earlier operation) is waited out; there is
// no poll after the last byte. Before the first transfer the
// adapter must offer combined transfers and no kernel driver may hold 0x50.
class TransferLink : public DeviceLink {
public:
    static constexpr uint16_t kAddress = 0x50;

    explicit TransferLink(std::unique_ptr<I2cAdapter> adapter,
                          const MonotonicClock& clock = MonotonicClock::System());

    LinkResult ReadAll(EepromImage& dest) override;
    LinkResult WriteAll(const EepromImage& image, const Progress& progress = {},
                        int pageSize = 1) override;
    // The adapter's own checks pass, it offers combined transfers, no kernel
    // driver holds 0x50, and the EEPROM acknowledges a read of one byte (a
    // current-address read, polled while the device is busy).
    void Probe(ProbeReport& report) override;

private:
    // Why the adapter cannot be used for the EEPROM; nothing when it can.
    std::optional<std::string> CheckAdapter();
    // Why the adapter cannot carry combined transfers; nothing when it can.
    std::optional<std::string> CombinedTransfersProblem();
    // Runs the transfer, repeated while the address is not acknowledged;
    // returns why it failed (also what the adapter threw), nothing on success.
    std::optional<std::string> TransferPolling(I2cMessage* messages, int count);
    // TransferPolling, letting the adapter's PortError through.
    std::optional<std::string> TransferPollingOrThrow(I2cMessage* messages, int count);
    // After a byte or page write failed with EIO (a refused byte, or a
    // failing adapter): whether the word address alone is acknowledged, so
    // that it was a data byte that the device refused.
    bool DataByteRefused(const I2cMessage& write);

    std::unique_ptr<I2cAdapter> m_adapter;
    const MonotonicClock& m_clock;
};
