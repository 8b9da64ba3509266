// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceLink.h"

#include <cstdio>

bool DeviceLink::PollUntilAcknowledged(const MonotonicClock& clock,
                                       const std::function<bool()>& poll) {
    auto pollStarted = clock.Now();
    const auto deadline = pollStarted + kAckPollBound;
    while (!poll()) {
        if (pollStarted >= deadline) {
            return false;
        }
        clock.Sleep(kPollPause);
        pollStarted = clock.Now();
    }
    return true;
}

bool DeviceLink::IsPageSize(int bytes) {
    return bytes == 1 || bytes == 2 || bytes == 4 || bytes == 8 || bytes == 16;
}

std::string DeviceLink::UnknownPageSize(int bytes) {
    return TARNEL_TEXT("DeviceLink", "a page write takes 1, 2, 4, 8 or 16 bytes, not %1")
        .Text(bytes);
}

std::string DeviceLink::DataByteNotAcknowledged(uint8_t value) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", value);
    return TARNEL_TEXT("DeviceLink", "the EEPROM did not acknowledge the data byte %1").Text(hex);
}
