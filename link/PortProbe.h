// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PortFactory.h"
#include "ProbeReport.h"

// What `tarnel-cli probe` checks on one port: that the port opens, then the
// checks of its link (the adapter, the bus and the EEPROM), stopping at the
// first that fails. Nothing is written to the EEPROM.
class PortProbe {
public:
    // Opens the link through `factory` and probes it. A port that fails while
    // it is probed ends the report with a failed step saying why.
    static ProbeReport Run(PortFactory& factory);
};
