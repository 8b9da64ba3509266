// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "DeviceLink.h"
#include "EepromLink.h"
#include "LptPort.h"

// The parallel-port link as a DeviceLink that owns its port: the port is
// given back when the link goes.
class LptLink : public DeviceLink {
public:
    explicit LptLink(std::unique_ptr<LptPort> port) : m_port(std::move(port)), m_link(*m_port) {}

    LinkResult ReadAll(EepromImage& dest) override { return m_link.ReadAll(dest); }
    LinkResult WriteAll(const EepromImage& image, const Progress& progress = {},
                        int pageSize = 1) override {
        return m_link.WriteAll(image, progress, pageSize);
    }
    void Probe(ProbeReport& report) override { m_link.Probe(report); }

private:
    std::unique_ptr<LptPort> m_port;
    EepromLink m_link;
};
