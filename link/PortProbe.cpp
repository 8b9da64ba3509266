// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortProbe.h"

#include <exception>
#include <memory>

#include "DeviceLink.h"

ProbeReport PortProbe::Run(PortFactory& factory) {
    ProbeReport report;
    std::unique_ptr<DeviceLink> link;
    try {
        link = factory.OpenLink();
    } catch (const std::exception& error) {
        report.Add("the port opens", false, error.what());
        return report;
    }
    report.Add("the port opens", true);
    try {
        link->Probe(report);
    } catch (const std::exception& error) {
        report.Add("the port keeps answering", false, error.what());
    }
    return report;
}
