// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PortError.h"

// Thrown when a port name is malformed or names no port tarnel may drive: a
// mistake in the command line, not a failing port.
class PortNameError : public PortError {
public:
    explicit PortNameError(const std::string& message) : PortError(message) {}
};
