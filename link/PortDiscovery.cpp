// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortDiscovery.h"

#include "PortKinds.h"

std::vector<PortInfo> PortDiscovery::List(const std::string& devDir, const std::string& sysDir,
                                          const std::string& procDir) {
    const SystemRoots roots{devDir, sysDir, procDir};
    std::vector<PortInfo> ports;
    for (const PortKind* kind : PortKinds::All()) {
        if (kind->discover != nullptr) {
            const std::vector<PortInfo> found = kind->discover(roots);
            ports.insert(ports.end(), found.begin(), found.end());
        }
    }
    return ports;
}
