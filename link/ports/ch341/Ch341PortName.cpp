// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ch341PortName.h"

#include <regex>

#include "Ch341Boards.h"
#include "LinkText.h"
#include "PortNameError.h"

namespace {
const std::string kBareName = "ch341";
}  // namespace

bool Ch341PortName::Matches(const std::string& name) {
    return name == kBareName || name.rfind(kPrefix, 0) == 0;
}

void Ch341PortName::Check(const std::string& name, const std::string& sysRoot) {
    if (name == kBareName) {
        try {
            Ch341Boards(sysRoot).OnlyPlace();
        } catch (const PortNameError&) {
            throw;
        } catch (const PortError&) {
            // No board at all is found when the port is opened.
        }
        return;
    }
    // A bus number, then the port on the root hub and on each hub below it.
    static const std::regex place("[1-9][0-9]{0,2}-[1-9][0-9]?(\\.[1-9][0-9]?){0,6}");
    if (!std::regex_match(Place(name, sysRoot), place)) {
        throw PortNameError(TARNEL_TEXT("Ch341PortName",
                                        "\"%1\" is no CH341A's name: use ch341 (the only one "
                                        "plugged in) or ch341:BUS-PORTS, its place on the USB tree "
                                        "as lsusb -t shows it (ch341:1-4.2); tarnel-cli list-ports "
                                        "lists them.")
                                .Text(name));
    }
}

std::string Ch341PortName::Place(const std::string& name, const std::string& sysRoot) {
    if (name == kBareName) {
        return Ch341Boards(sysRoot).OnlyPlace();
    }
    return name.substr(std::string(kPrefix).size());
}
