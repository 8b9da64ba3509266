// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortSession.h"

#include <filesystem>

#include "I2cDevAdapter.h"
#include "IoSystem.h"
#include "LinkText.h"
#include "PortError.h"
#include "PpdevSystem.h"
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

std::optional<std::string> PortSession::FlushTrace() {
    return m_trace ? m_trace->Flush() : std::nullopt;
}

std::string PortSession::Resolve(const std::string& file) const {
    const std::filesystem::path path(file);
    if (file.empty() || path.is_absolute() || m_startFolder.empty()) {
        return file;
    }
    return (std::filesystem::path(m_startFolder) / path).string();
}

void PortSession::SetPpdevSystem(std::unique_ptr<PpdevSystem> system) {
    m_ppdev = std::move(system);
}

PpdevSystem& PortSession::Ppdev() {
    return m_ppdev ? *m_ppdev : PpdevSystem::Kernel();
}

void PortSession::SetIoSystem(std::unique_ptr<IoSystem> system) {
    m_io = std::move(system);
}

IoSystem& PortSession::Io() {
    return m_io ? *m_io : IoSystem::Kernel();
}

std::unique_ptr<I2cDevAdapter> PortSession::OpenI2cDev(int number, const std::string& devDir,
                                                       const std::string& deviceName) const {
    if (m_i2cDevOpener) {
        return m_i2cDevOpener(number, devDir, m_sysfsRoot, deviceName);
    }
    return std::make_unique<I2cDevAdapter>(number, devDir, m_sysfsRoot, deviceName);
}

SimSwitch& PortSession::Simulation() {
    if (!m_sim) {
        m_sim = std::make_unique<SimSwitch>(m_simFaults, m_simPageSize);
    }
    return *m_sim;
}
