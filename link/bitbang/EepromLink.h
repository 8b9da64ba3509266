// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "DeviceLink.h"
#include "EepromImage.h"
#include "I2cBus.h"
#include "LinkResult.h"
#include "LptPort.h"
#include "MonotonicClock.h"

// The device operations on the switch's 128-byte EEPROM (device address 0xA0
// for writing, 0xA1 for reading) over a bit-banged parallel-port bus, built
// only on I2cBus. Every operation ends with the bus idle (data 0x80, control
// 0x04), also when it fails: a failure lowers SCL, sends STOP and releases
// the bus.
class EepromLink : public DeviceLink {
public:
    explicit EepromLink(LptPort& port, const MonotonicClock& clock = MonotonicClock::System());

    // One sequential read of registers 0 to 127: START, 0xA0, word address 0,
    // repeated START, 0xA1, 128 bytes (master acknowledge after all but the
    // last), STOP, release. The acknowledges of 0xA0 (polled while the device
    // is busy) and of 0xA1 are sampled. `dest` is written only on success.
    LinkResult ReadAll(EepromImage& dest) override;

    // 128 byte-write transactions (or 128 / `pageSize` page writes),
    // registers 0 to 127 in ascending order, each START, 0xA0 with
    // acknowledge polling, word address, the data bytes, STOP; then release.
    // The word-address and data acknowledges are sampled, and the first one
    // missing ends the write. Does not wait for the write cycle that the
    // last STOP starts.
    LinkResult WriteAll(const EepromImage& image, const Progress& progress = {},
                        int pageSize = 1) override;

    // START (freeing a stuck data line), device address 0xA0 with the
    // acknowledge polling of every transaction, then STOP and release: no
    // word address and no data follow, so nothing is written. True when the
    // device acknowledged within kAckPollBound.
    bool Ping();
    // The checks of LptProbe on this link's port.
    void Probe(ProbeReport& report) override;

private:
    enum class Direction { Read, Write };

    // START (the operation's first also frees a stuck data line), device
    // address 0xA0 and its acknowledge, repeated while the device does not
    // acknowledge, within the bound of PollUntilAcknowledged. On success SCL
    // is low after the acknowledged ninth clock; on failure returns the
    // reason.
    std::optional<std::string> AddressDevice(bool firstOfOperation);
    // Reads all registers into `dest`, which is complete when this succeeds;
    // `reg` follows the register being read.
    LinkResult ReadInto(EepromImage& dest, int& reg);
    // One write transaction of the `count` registers from `first` on (a byte
    // write for one); `reg` follows the register being written.
    LinkResult WritePage(const EepromImage& image, int first, int count, bool firstOfOperation,
                         int& reg);
    // Ends a failed transaction: SCL low, STOP, release; returns the failure.
    LinkResult Abandon(Direction direction, int reg, const std::string& reason);

    I2cBus m_bus;
    const MonotonicClock& m_clock;
};
