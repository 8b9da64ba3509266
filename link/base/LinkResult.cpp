// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkResult.h"

namespace {
std::string Where(int reg, std::string reason) {
    // Reasons from the system may end with their own full stop.
    while (!reason.empty() && reason.back() == '.') {
        reason.pop_back();
    }
    return " at register " + std::to_string(reg) + ": " + reason + ".";
}
}  // namespace

LinkResult LinkResult::ReadFailure(int reg, const std::string& reason) {
    return Failure(reg, "Reading the EEPROM failed" + Where(reg, reason));
}

LinkResult LinkResult::WriteFailure(int reg, const std::string& reason) {
    std::string written;
    if (reg == 0) {
        written = "Nothing was written to the switch.";
    } else if (reg == 1) {
        written = "Only register 0 was written: the switch holds a partly written image.";
    } else {
        written = "Registers 0 to " + std::to_string(reg - 1) +
                  " were written: the switch holds a partly written image.";
    }
    return Failure(reg, "Writing the EEPROM failed" + Where(reg, reason) + " " + written);
}
