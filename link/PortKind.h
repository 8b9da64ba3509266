// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "DeviceLink.h"
#include "LinkText.h"
#include "PortInfo.h"

class PortSession;

// One kind of port: everything tarnel knows about a family of port names.
// Each adapter's folder under ports/ defines its kinds; PortKinds lists them.
struct PortKind {
    // What the names of this kind begin with ("/dev/", "io:", "sim",
    // "i2c:"). A name belongs to the kind with the longest prefix it begins
    // with; a prefix that ends in neither ':' nor '/' must be followed by
    // ':' or nothing ("sim" takes "sim" and "sim:FILE", not "simple").
    std::string prefix;
    // The forms a user writes, for the help, the messages and the man pages
    // ("i2c:/dev/i2c-N", "i2c:N", "i2c:NAME").
    std::vector<std::string> forms;
    // What a name of this kind opens, for the help and the messages ("direct
    // port I/O at that address, needs root").
    LinkText help;
    // Whether the bus lines can be recorded (--trace): bit-banged ports only.
    bool traceable = false;
    // Whether it is a simulator: no hardware, and TARNEL_SIM_FAULT applies.
    bool simulated = false;
    // Throws PortNameError, with the message for the user, unless `name` is
    // well formed and names a port tarnel may drive. Opens nothing.
    void (*check)(const std::string& name) = nullptr;
    // Opens the link to the EEPROM through `name`, with what `session`
    // shares among the ports of the run. Throws PortError (PortNameError
    // for a malformed name) when the port cannot be used.
    std::unique_ptr<DeviceLink> (*open)(const std::string& name, PortSession& session) = nullptr;
    // The ports of this kind present below `roots`, for list-ports; null
    // for a kind that has none to find.
    std::vector<PortInfo> (*discover)(const SystemRoots& roots) = nullptr;

    // Whether `name` begins with this kind's prefix as described above.
    bool Claims(const std::string& name) const;
    // The forms as a phrase: "a", "a or b", "a, b or c".
    std::string FormsPhrase() const;
};
