// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ch341Kinds.h"

#include <cstdio>

#include "Ch341Adapter.h"
#include "Ch341Boards.h"
#include "Ch341PortName.h"
#include "Ch341Usb.h"
#include "LinkText.h"
#include "PortKinds.h"
#include "PortSession.h"
#include "SimCh341.h"
#include "SimSwitch.h"
#include "TransferLink.h"

namespace {
const std::string kBoardPrefix = "ch341";
const std::string kSimPrefix = "ch341:sim";

// The file of "ch341:sim:FILE", "" for "ch341:sim"; throws PortNameError for
// "ch341:sim:" with no file.
std::string FileOf(const std::string& name) {
    if (name.size() == kSimPrefix.size()) {
        return {};
    }
    const std::string file = name.substr(kSimPrefix.size() + 1);
    if (file.empty()) {
        PortKinds::ThrowUnknown(name);
    }
    return file;
}

std::vector<PortInfo> Discover(const SystemRoots& roots) {
    std::vector<PortInfo> ports;
    for (const Ch341Board& board : Ch341Boards(roots.sys).List()) {
        char bus[16];
        char device[16];
        std::snprintf(bus, sizeof bus, "%03d", board.bus);
        std::snprintf(device, sizeof device, "%03d", board.device);
        ports.push_back(
            {Ch341PortName::kPrefix + board.place,
             TARNEL_TEXT("Ch341Kinds", "CH341A USB programmer (I2C) at bus %1 device %2")
                 .Text(bus, device)});
    }
    return ports;
}
}  // namespace

const PortKind& Ch341Kinds::Board() {
    static const PortKind kind{
        .prefix = kBoardPrefix,
        .forms = {"ch341", "ch341:BUS-PORTS"},
        .help = TARNEL_TEXT("Ch341Kinds",
                            "a CH341A USB programmer through libusb: the only one, or the one at "
                            "that place on the USB tree, e.g. ch341:1-4.2"),
        .traceable = false,
        .simulated = false,
        .check = [](const std::string& name) { Ch341PortName::Check(name); },
        .open = [](const std::string& name, PortSession& session) -> std::unique_ptr<DeviceLink> {
            return std::make_unique<TransferLink>(
                std::make_unique<Ch341Adapter>(std::make_unique<Ch341Usb>(
                    Ch341PortName::Place(name, session.SysfsRoot()), session.SysfsRoot())));
        },
        .discover = Discover,
    };
    return kind;
}

const PortKind& Ch341Kinds::Simulated() {
    static const PortKind kind{
        .prefix = kSimPrefix,
        .forms = {"ch341:sim", "ch341:sim:FILE"},
        .help = TARNEL_TEXT("Ch341Kinds", "a simulated switch on a simulated CH341A"),
        .traceable = false,
        .simulated = true,
        .check = [](const std::string& name) { FileOf(name); },
        .open = [](const std::string& name, PortSession& session) -> std::unique_ptr<DeviceLink> {
            SimSwitch& simulation = session.Simulation();
            return std::make_unique<TransferLink>(std::make_unique<Ch341Adapter>(
                std::make_unique<SimCh341>(simulation.Eeprom(), simulation.Eeprom().GetFaults().usb,
                                           simulation.UsbTransfers(),
                                           simulation.OpenFile(session.Resolve(FileOf(name))))));
        },
        .discover = nullptr,
    };
    return kind;
}
