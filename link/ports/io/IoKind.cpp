// SPDX-License-Identifier: GPL-3.0-or-later
#include "IoKind.h"

#include <cerrno>
#include <cstdlib>

#include "IoPort.h"
#include "LptLink.h"
#include "PortKinds.h"
#include "PortSession.h"

namespace {
const std::string kIoPrefix = "io:";

// The base of "io:0x378"; throws PortNameError for a malformed number or a
// base that is no parallel port's.
uint16_t ParseBase(const std::string& name) {
    const std::string digits = name.substr(kIoPrefix.size());
    char* end = nullptr;
    errno = 0;
    const unsigned long base = std::strtoul(digits.c_str(), &end, 0);
    if (digits.empty() || *end != '\0' || errno != 0 || base > 0xFFFD) {
        PortKinds::ThrowUnknown(name);
    }
    IoPort::CheckBase(static_cast<uint16_t>(base));
    return static_cast<uint16_t>(base);
}

void Check(const std::string& name) {
    ParseBase(name);
}

std::unique_ptr<DeviceLink> Open(const std::string& name, PortSession& session) {
    return std::make_unique<LptLink>(session.Wrap(std::make_unique<IoPort>(ParseBase(name))));
}
}  // namespace

const PortKind& IoKind() {
    static const PortKind kind{
        .prefix = kIoPrefix,
        .forms = {"io:0x378"},
        .help = "direct port I/O at that address, needs root",
        .traceable = true,
        .simulated = false,
        .check = Check,
        .open = Open,
        .discover = nullptr,
    };
    return kind;
}
