// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortProbe.h"

#include <exception>
#include <memory>

#include "DeviceLink.h"
#include "LinkText.h"

ProbeReport PortProbe::Run(PortFactory& factory) {
    ProbeReport report;
    std::unique_ptr<DeviceLink> link;
    try {
        link = factory.OpenLink();
    } catch (const std::exception& error) {
        report.Add(TARNEL_TEXT("PortProbe", "the port opens").Text(), false, error.what());
        return report;
    }
    report.Add(TARNEL_TEXT("PortProbe", "the port opens").Text(), true);
    try {
        link->Probe(report);
    } catch (const std::exception& error) {
        report.Add(TARNEL_TEXT("PortProbe", "the port keeps answering").Text(), false,
                   error.what());
    }
    return report;
}
