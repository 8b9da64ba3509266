// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Outcome of a device operation. On failure `message` tells the user what went
// wrong and at which register, and `failedRegister` is that register (-1 when
// the operation failed before any register).
struct LinkResult {
    bool ok = true;
    std::string message;
    int failedRegister = -1;

    explicit operator bool() const { return ok; }

    static LinkResult Success() { return {}; }
    static LinkResult Failure(int failedRegister, std::string message) {
        return {false, std::move(message), failedRegister};
    }
    // A read that failed at register `reg`:
    // "Reading the EEPROM failed at register <reg>: <reason>."
    static LinkResult ReadFailure(int reg, const std::string& reason);
    // A write that failed at register `reg`, saying which registers the
    // switch took before it, so the technician knows it holds a partly
    // written image.
    static LinkResult WriteFailure(int reg, const std::string& reason);
};
