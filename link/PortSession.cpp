// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortSession.h"

#include <filesystem>

#include "LinkText.h"
#include "PortError.h"
#include "SimSwitch.h"
#include "TracePort.h"
#include "VcdWriter.h"

PortSession::PortSession() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (!error) {
        m_startFolder = current.string();
    }
}

PortSession::~PortSession() = default;

void PortSession::AddWrapper(Wrapper wrapper) {
    m_wrappers.push_back(std::move(wrapper));
}

std::unique_ptr<LptPort> PortSession::Wrap(std::unique_ptr<LptPort> port) const {
    for (const Wrapper& wrapper : m_wrappers) {
        port = wrapper(std::move(port));
    }
    return port;
}

void PortSession::SetTrace(const std::string& vcdPath) {
    if (m_trace) {
        throw PortError(
            TARNEL_TEXT("PortSession", "A bus trace is already being recorded in this run.")
                .Text());
    }
    m_trace = std::make_unique<VcdWriter>(vcdPath);
    VcdWriter& writer = *m_trace;
    AddWrapper([&writer](std::unique_ptr<LptPort> port) -> std::unique_ptr<LptPort> {
        return std::make_unique<TracePort>(std::move(port), writer);
    });
}

std::string PortSession::FlushTrace() {
    return m_trace ? m_trace->Flush() : std::string();
}

std::string PortSession::Resolve(const std::string& file) const {
    const std::filesystem::path path(file);
    if (file.empty() || path.is_absolute() || m_startFolder.empty()) {
        return file;
    }
    return (std::filesystem::path(m_startFolder) / path).string();
}

SimSwitch& PortSession::Simulation() {
    if (!m_sim) {
        m_sim = std::make_unique<SimSwitch>(m_simFaults, m_simPageSize);
    }
    return *m_sim;
}
