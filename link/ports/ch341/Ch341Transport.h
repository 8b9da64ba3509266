// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// The bulk transfers to and from one CH341A: the seam under Ch341Adapter,
// through which libusb or a simulated chip carries them.
class Ch341Transport {
public:
    // How a transfer ended.
    enum class Outcome {
        Done,      // carried out; `length` bytes went or came
        TimedOut,  // the chip did not take or give a packet within the timeout
        Gone,      // the device is no longer on the USB bus
        Failed,    // any other USB failure, described in `error`
    };
    struct Result {
        Outcome outcome = Outcome::Done;
        int length = 0;
        std::string error = {};
    };

    virtual ~Ch341Transport() = default;
    // The port as the user names it ("ch341:1-4.2", "ch341:sim").
    virtual std::string Name() const = 0;
    // Sends `length` bytes (one segment) to the bulk OUT endpoint 0x02,
    // ending within `timeout`.
    virtual Result BulkOut(const uint8_t* data, int length, std::chrono::milliseconds timeout) = 0;
    // Receives one packet of at most `capacity` bytes from the bulk IN
    // endpoint 0x82 into `data`, ending within `timeout`.
    virtual Result BulkIn(uint8_t* data, int capacity, std::chrono::milliseconds timeout) = 0;
    // After a transfer timed out or failed: whether the device is still on
    // the USB bus.
    virtual bool Present() = 0;
};
