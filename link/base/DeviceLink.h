// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "EepromImage.h"
#include "LinkResult.h"
#include "LinkText.h"
#include "MonotonicClock.h"
#include "ProbeReport.h"

// An open connection to the switch's 128-byte EEPROM, whatever adapter
// carries it. The device commands use only this, so they never know which
// adapter they talk through.
class DeviceLink {
public:
    // Told the number of registers written so far, after each one.
    using Progress = std::function<void(int registersWritten)>;

    // Longest time one transaction waits for the device to acknowledge its
    // address (a long write cycle of these parts is 10 ms).
    static constexpr std::chrono::milliseconds kAckPollBound{25};
    // Pause after a refused address before the next poll. A write cycle lasts
    // about 5 ms: polling every 200 us finds its end within a few percent of
    // its length, while a poll (about 30 us of port accesses on a real port)
    // keeps the processor busy for a small part of the wait only.
    static constexpr std::chrono::microseconds kPollPause{200};
    // "within 25 ms", for messages.
    static std::string WithinBound() {
        return TARNEL_TEXT("DeviceLink", "within %1 ms").Text(kAckPollBound.count());
    }

    // "the EEPROM did not acknowledge the data byte XX", for messages.
    static std::string DataByteNotAcknowledged(uint8_t value);
    // Whether WriteAll takes `bytes` as its page size: 1 (byte writes), 2, 4,
    // 8 or 16, each a divisor of 128.
    static bool IsPageSize(int bytes);
    // Why `bytes` is no page size WriteAll takes, for messages.
    static std::string UnknownPageSize(int bytes);

    virtual ~DeviceLink() = default;
    // Reads registers 0 to 127; `dest` is written only on success.
    virtual LinkResult ReadAll(EepromImage& dest) = 0;
    // Writes registers 0 to 127 in ascending order, waiting out the device's
    // write cycles; the first failure ends it. `pageSize` registers (see
    // IsPageSize) go in each write transaction: one byte write each by
    // default, otherwise 128 / `pageSize` page writes. A part whose pages
    // are smaller wraps the address inside its page and keeps the wrong
    // bytes, which only a read-back shows.
    virtual LinkResult WriteAll(const EepromImage& image, const Progress& progress = {},
                                int pageSize = 1) = 0;
    // Appends the checks of the adapter and the EEPROM, one step each, and
    // stops at the first that fails. Writes nothing to the EEPROM.
    virtual void Probe(ProbeReport& report) = 0;

protected:
    // Runs `poll` (one attempt to reach the device; false when the device
    // refused its address, true when the attempt ends the wait: answered, or
    // failed in some other way) again and again, pausing kPollPause on
    // `clock` after each refusal. Gives up only after the refusal of a poll
    // that began at or after the deadline (kAckPollBound after the first poll
    // began), so a process stalled between two polls never fails a device
    // that finished its write cycle meanwhile. Returns false when it gave up.
    static bool PollUntilAcknowledged(const MonotonicClock& clock,
                                      const std::function<bool()>& poll);
};
