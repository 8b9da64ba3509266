#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "EepromImage.h"
#include "LinkResult.h"
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
    // "within 25 ms", for messages.
    static std::string WithinBound() {
        return "within " + std::to_string(kAckPollBound.count()) + " ms";
    }

    virtual ~DeviceLink() = default;
    // Reads registers 0 to 127; `dest` is written only on success.
    virtual LinkResult ReadAll(EepromImage& dest) = 0;
    // Writes registers 0 to 127 in ascending order, one byte-write each,
    // waiting out the device's write cycles; the first failure ends it.
    virtual LinkResult WriteAll(const EepromImage& image, const Progress& progress = {}) = 0;
    // Appends the checks of the adapter and the EEPROM, one step each, and
    // stops at the first that fails. Writes nothing to the EEPROM.
    virtual void Probe(ProbeReport& report) = 0;
};
