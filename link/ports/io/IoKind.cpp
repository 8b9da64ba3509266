// SPDX-License-Identifier: GPL-3.0-or-later
#include "IoKind.h"

#include <cstdlib>

#include "IoPort.h"
#include "LinkText.h"
#include "LptLink.h"
#include "PortKinds.h"
#include "PortSession.h"

namespace {
const std::string kIoPrefix = "io:";

// The base of "io:0x378": "0x" and one to four hexadecimal digits, the one
// form documented, so that " 0x378", "+0x378", "888" or "01570" never pass for
// it; throws PortNameError for any other form or a base that is no parallel
// port's.
uint16_t ParseBase(const std::string& name) {
    const std::string text = name.substr(kIoPrefix.size());
    const bool hexForm = text.size() > 2 && text.size() <= 6 && text[0] == '0' &&
                         (text[1] == 'x' || text[1] == 'X') &&
                         text.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string::npos;
    if (!hexForm) {
        PortKinds::ThrowUnknown(name);
    }
    const unsigned long base = std::strtoul(text.c_str() + 2, nullptr, 16);
    if (base > 0xFFFD) {
        PortKinds::ThrowUnknown(name);
    }
    IoPort::CheckBase(static_cast<uint16_t>(base));
    return static_cast<uint16_t>(base);
}

void Check(const std::string& name) {
    ParseBase(name);
}

std::unique_ptr<DeviceLink> Open(const std::string& name, PortSession& session) {
    return std::make_unique<LptLink>(
        session.Wrap(std::make_unique<IoPort>(ParseBase(name), session.Io())));
}
}  // namespace

const PortKind& IoKind() {
    static const PortKind kind{
        .prefix = kIoPrefix,
        .forms = {"io:0x378"},
        .help = TARNEL_TEXT("IoKind", "direct port I/O at that address, needs root"),
        .traceable = true,
        .simulated = false,
        .check = Check,
        .open = Open,
        .discover = nullptr,
    };
    return kind;
}
