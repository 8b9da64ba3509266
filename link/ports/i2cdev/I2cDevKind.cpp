// SPDX-License-Identifier: GPL-3.0-or-later
#include "I2cDevKind.h"

#include "I2cDevAdapter.h"
#include "I2cSysfs.h"
#include "KernelFiles.h"
#include "LinkText.h"
#include "PortKinds.h"
#include "PortSession.h"
#include "TransferLink.h"

namespace {
const std::string kI2cPrefix = "i2c:";
const std::string kI2cDevicePrefix = "i2c-";

bool AllDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// Where an adapter's name leads: the folder of its device, its number and,
// for the path form, the device's name exactly as given ("i2c-01" stays
// "i2c-01", it does not become "i2c-1").
struct AdapterPlace {
    std::string folder;
    int number = -1;
    std::string deviceName;
};

// "i2c:/dev/i2c-N", "i2c:N" or "i2c:NAME", the last two in the session's
// /dev, looking a name up in its sysfs; with no session only the form is
// checked and a name gives number -1.
AdapterPlace ParseAdapter(const std::string& name, const PortSession* session) {
    const std::string rest = name.substr(kI2cPrefix.size());
    const std::string devRoot = session == nullptr ? "/dev" : session->DevRoot();
    if (AllDigits(rest) && rest.size() < 6) {
        return {devRoot, std::stoi(rest), ""};
    }
    if (!rest.empty() && !AllDigits(rest) && rest.find('/') == std::string::npos) {
        return {devRoot, session == nullptr ? -1 : I2cSysfs(session->SysfsRoot()).FindByName(rest),
                ""};
    }
    const auto slash = rest.rfind('/');
    const std::string base = slash == std::string::npos ? rest : rest.substr(slash + 1);
    const std::string number = base.compare(0, kI2cDevicePrefix.size(), kI2cDevicePrefix) == 0
                                   ? base.substr(kI2cDevicePrefix.size())
                                   : std::string();
    if (slash == std::string::npos || slash == 0 || !AllDigits(number) || number.size() >= 6) {
        PortKinds::ThrowUnknown(name);
    }
    return {rest.substr(0, slash), std::stoi(number), base};
}

void Check(const std::string& name) {
    ParseAdapter(name, nullptr);
}

std::unique_ptr<DeviceLink> Open(const std::string& name, PortSession& session) {
    const AdapterPlace place = ParseAdapter(name, &session);
    return std::make_unique<TransferLink>(
        session.OpenI2cDev(place.number, place.folder, place.deviceName));
}

std::vector<PortInfo> Discover(const SystemRoots& roots) {
    std::vector<PortInfo> ports;
    const I2cSysfs sysfs(roots.sys);
    for (int n : KernelFiles::Numbered(roots.dev, "i2c-")) {
        const std::string adapterName = sysfs.Name(n);
        const std::string byName = sysfs.NameToUse(n);
        ports.push_back(
            {kI2cPrefix + roots.dev + "/i2c-" + std::to_string(n),
             adapterName.empty() ? TARNEL_TEXT("I2cDevKind", "I2C adapter").Text() : adapterName,
             !sysfs.IsHostSmbus(n), byName.empty() ? "" : kI2cPrefix + byName});
    }
    return ports;
}
}  // namespace

const PortKind& I2cDevKind() {
    static const PortKind kind{
        .prefix = kI2cPrefix,
        .forms = {"i2c:/dev/i2c-N", "i2c:N", "i2c:NAME"},
        .help = TARNEL_TEXT("I2cDevKind",
                            "an I2C adapter through i2c-dev, by its device, number or kernel name"),
        .traceable = false,
        .simulated = false,
        .check = Check,
        .open = Open,
        .discover = Discover,
    };
    return kind;
}
