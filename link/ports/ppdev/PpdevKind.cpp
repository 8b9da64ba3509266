// SPDX-License-Identifier: GPL-3.0-or-later
#include "PpdevKind.h"

#include <cstdio>
#include <cstdlib>

#include "KernelFiles.h"
#include "LinkText.h"
#include "LptLink.h"
#include "PortKinds.h"
#include "PortNameError.h"
#include "PortSession.h"
#include "PpdevPort.h"
#include "PpdevSystem.h"

namespace {
const std::string kDevicePrefix = "/dev/";

void RequireDevice(const std::string& name) {
    if (name.size() <= kDevicePrefix.size()) {
        PortKinds::ThrowUnknown(name);
    }
}

void Check(const std::string& name) {
    RequireDevice(name);
    if (!PpdevSystem::MayBePort(name)) {
        throw PortNameError(TARNEL_TEXT("PpdevKind",
                                        "%1 is not a parallel port: the ppdev driver's ports are "
                                        "the character devices /dev/parportN (tarnel-cli "
                                        "list-ports lists them).")
                                .Text(name));
    }
}

std::unique_ptr<DeviceLink> Open(const std::string& name, PortSession& session) {
    RequireDevice(name);
    return std::make_unique<LptLink>(
        session.Wrap(std::make_unique<PpdevPort>(name, session.Ppdev())));
}

std::vector<PortInfo> Discover(const SystemRoots& roots) {
    std::vector<PortInfo> ports;
    for (int n : KernelFiles::Numbered(roots.dev, "parport")) {
        const std::string id = "parport" + std::to_string(n);
        const std::string base =
            KernelFiles::FirstLine(roots.proc + "/sys/dev/parport/" + id + "/base-addr");
        std::string description = TARNEL_TEXT("PpdevKind", "parallel port").Text();
        char* end = nullptr;
        const unsigned long address = std::strtoul(base.c_str(), &end, 10);
        if (end != base.c_str() && address != 0) {
            char hex[24];
            std::snprintf(hex, sizeof hex, "0x%lx", address);
            description = TARNEL_TEXT("PpdevKind", "parallel port at %1").Text(hex);
        }
        ports.push_back({roots.dev + "/" + id, description});
    }
    return ports;
}
}  // namespace

const PortKind& PpdevKind() {
    static const PortKind kind{
        .prefix = kDevicePrefix,
        .forms = {"/dev/parportN"},
        .help = TARNEL_TEXT("PpdevKind", "the kernel's ppdev driver, default /dev/parport0"),
        .traceable = true,
        .simulated = false,
        .check = Check,
        .open = Open,
        .discover = Discover,
    };
    return kind;
}
