// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "RecordingPort.h"

// Decodes recorded bus lines into I2C conditions and bytes:
//   "S"    START          "Sr"  repeated START (no STOP since the last START)
//   "P"    STOP           "A0+" byte 0xA0, acknowledged ("A0-": not)
// A condition is SDA changing while SCL stays high; a bit is sampled when SCL
// rises; the ninth bit of each group is the acknowledge (low = "+"). Clocks
// that do not complete a group before a condition or the end are dropped, as
// a bus analyser drops them.
class BusMonitor {
public:
    static std::vector<std::string> Decode(const std::vector<PortEvent>& events);
    // The tokens joined by spaces.
    static std::string DecodeText(const std::vector<PortEvent>& events);
};
