// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// Thrown when a port cannot be opened or stops answering. what() is a complete
// message for the user: it names the port, the system's reason and, where one
// is known, what to do about it.
class PortError : public std::runtime_error {
public:
    explicit PortError(const std::string& message) : std::runtime_error(message) {}
};
