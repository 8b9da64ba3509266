// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimKinds.h"

#include "LinkText.h"
#include "LptLink.h"
#include "PortKinds.h"
#include "PortSession.h"
#include "SimSwitch.h"
#include "TransferLink.h"

namespace {
// The file of "<prefix>:FILE" as given, "" for "<prefix>" alone; throws
// PortNameError for "<prefix>:" with no file.
std::string FileOf(const std::string& name, const std::string& prefix) {
    if (name.size() == prefix.size()) {
        return {};
    }
    const std::string file = name.substr(prefix.size() + 1);
    if (file.empty()) {
        PortKinds::ThrowUnknown(name);
    }
    return file;
}

const std::string kParallelPrefix = "sim";
const std::string kI2cPrefix = "i2c:sim";
}  // namespace

const PortKind& SimKinds::Parallel() {
    static const PortKind kind{
        .prefix = kParallelPrefix,
        .forms = {"sim", "sim:FILE"},
        .help = TARNEL_TEXT("SimKinds", "a simulated switch in memory, or kept in FILE"),
        .traceable = true,
        .simulated = true,
        .check = [](const std::string& name) { FileOf(name, kParallelPrefix); },
        .open = [](const std::string& name, PortSession& session) -> std::unique_ptr<DeviceLink> {
            const std::string file = session.Resolve(FileOf(name, kParallelPrefix));
            return std::make_unique<LptLink>(session.Wrap(session.Simulation().OpenPort(file)));
        },
        .discover = nullptr,
    };
    return kind;
}

const PortKind& SimKinds::I2c() {
    static const PortKind kind{
        .prefix = kI2cPrefix,
        .forms = {"i2c:sim", "i2c:sim:FILE"},
        .help = TARNEL_TEXT("SimKinds", "a simulated switch on an I2C adapter"),
        .traceable = false,
        .simulated = true,
        .check = [](const std::string& name) { FileOf(name, kI2cPrefix); },
        .open = [](const std::string& name, PortSession& session) -> std::unique_ptr<DeviceLink> {
            const std::string file = session.Resolve(FileOf(name, kI2cPrefix));
            return std::make_unique<TransferLink>(session.Simulation().OpenAdapter(file));
        },
        .discover = nullptr,
    };
    return kind;
}
