#include "PortFactory.h"

#include <cerrno>
#include <cstdlib>

#include "IoPort.h"
#include "LptLink.h"
#include "PortError.h"
#include "PpdevPort.h"
#include "SimPort.h"
#include "TracePort.h"

namespace {
const std::string kSimName = "sim";
const std::string kSimFilePrefix = "sim:";
const std::string kIoPrefix = "io:";
const std::string kDevicePrefix = "/dev/";

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

[[noreturn]] void UnknownName(const std::string& name) {
    throw PortError("Unknown port \"" + name +
                    "\". Use /dev/parportN (the kernel's ppdev driver, default /dev/parport0), "
                    "io:0x378 (direct port I/O at that address, needs root), sim (a simulated "
                    "switch in memory) or sim:FILE (a simulated switch kept in FILE).");
}

uint16_t ParseIoBase(const std::string& name) {
    const std::string digits = name.substr(kIoPrefix.size());
    char* end = nullptr;
    errno = 0;
    const unsigned long base = std::strtoul(digits.c_str(), &end, 0);
    if (digits.empty() || *end != '\0' || errno != 0 || base > 0xFFFD) {
        UnknownName(name);
    }
    return static_cast<uint16_t>(base);
}
}  // namespace

std::string PortFactory::ChoosePortName(const std::string& option) {
    if (!option.empty()) {
        return option;
    }
    const char* environment = std::getenv("TARNEL_PORT");
    if (environment != nullptr && *environment != '\0') {
        return environment;
    }
    return kDefaultPortName;
}

PortFactory::PortFactory(std::string portName) : m_portName(std::move(portName)) {}

void PortFactory::SetTrace(const std::string& vcdPath) {
    m_trace = std::make_unique<VcdWriter>(vcdPath);
    VcdWriter& writer = *m_trace;
    AddWrapper([&writer](std::unique_ptr<LptPort> port) -> std::unique_ptr<LptPort> {
        return std::make_unique<TracePort>(std::move(port), writer);
    });
}

void PortFactory::AddWrapper(Wrapper wrapper) {
    m_wrappers.push_back(std::move(wrapper));
}

std::unique_ptr<LptPort> PortFactory::Open() {
    std::unique_ptr<LptPort> port = OpenBackend();
    for (const Wrapper& wrapper : m_wrappers) {
        port = wrapper(std::move(port));
    }
    return port;
}

std::unique_ptr<DeviceLink> PortFactory::OpenLink() { return std::make_unique<LptLink>(Open()); }

SimEeprom* PortFactory::Simulator() {
    const bool inMemory = m_portName == kSimName;
    const bool inFile = StartsWith(m_portName, kSimFilePrefix);
    if (!inMemory && !inFile) {
        return nullptr;
    }
    if (!m_sim) {
        auto sim = std::make_unique<SimEeprom>();
        sim->SetWriteCycle(std::chrono::nanoseconds(kSimWriteCycle));
        if (inFile) {
            const std::string file = m_portName.substr(kSimFilePrefix.size());
            if (file.empty()) {
                UnknownName(m_portName);
            }
            sim->SetBackingFile(file);
        }
        m_sim = std::move(sim);
    }
    return m_sim.get();
}

std::unique_ptr<LptPort> PortFactory::OpenBackend() {
    if (SimEeprom* sim = Simulator()) {
        return std::make_unique<SimPort>(*sim);
    }
    if (StartsWith(m_portName, kIoPrefix)) {
        return std::make_unique<IoPort>(ParseIoBase(m_portName));
    }
    if (StartsWith(m_portName, kDevicePrefix) && m_portName.size() > kDevicePrefix.size()) {
        return std::make_unique<PpdevPort>(m_portName);
    }
    UnknownName(m_portName);
}
