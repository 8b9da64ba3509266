// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkResult.h"

#include "LinkText.h"

namespace {
// Reasons from the system may end with their own full stop.
std::string WithoutFullStop(std::string reason) {
    while (!reason.empty() && reason.back() == '.') {
        reason.pop_back();
    }
    return reason;
}
}  // namespace

LinkResult LinkResult::ReadFailure(int reg, const std::string& reason) {
    return Failure(reg, TARNEL_TEXT("LinkResult", "Reading the EEPROM failed at register %1: %2.")
                            .Text(reg, WithoutFullStop(reason)));
}

LinkResult LinkResult::WriteFailure(int reg, const std::string& reason) {
    std::string written;
    if (reg == 0) {
        written = TARNEL_TEXT("LinkResult", "Nothing was written to the switch.").Text();
    } else if (reg == 1) {
        written = TARNEL_TEXT("LinkResult",
                              "Only register 0 was written: the switch holds a partly written "
                              "image.")
                      .Text();
    } else {
        written = TARNEL_TEXT("LinkResult",
                              "Registers 0 to %1 were written: the switch holds a partly written "
                              "image.")
                      .Text(reg - 1);
    }
    return Failure(reg,
                   TARNEL_TEXT("LinkResult", "Writing the EEPROM failed at register %1: %2. %3")
                       .Text(reg, WithoutFullStop(reason), written));
}
