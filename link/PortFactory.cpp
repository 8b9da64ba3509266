// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortFactory.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "I2cDevAdapter.h"
#include "I2cDevLink.h"
#include "IoPort.h"
#include "LptLink.h"
#include "PortError.h"
#include "PortNameError.h"
#include "PpdevPort.h"
#include "PpdevSystem.h"
#include "SimPort.h"
#include "TracePort.h"

namespace {
const std::string kSimName = "sim";
const std::string kSimFilePrefix = "sim:";
const std::string kIoPrefix = "io:";
const std::string kDevicePrefix = "/dev/";
const std::string kI2cPrefix = "i2c:";
const std::string kI2cDevicePrefix = "i2c-";

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

[[noreturn]] void UnknownName(const std::string& name) {
    throw PortNameError("Unknown port \"" + name +
                        "\". Use /dev/parportN (the kernel's ppdev driver, default /dev/parport0), "
                        "io:0x378 (direct port I/O at that address, needs root), sim (a simulated "
                        "switch in memory), sim:FILE (a simulated switch kept in FILE), "
                        "i2c:/dev/i2c-N, i2c:N or i2c:NAME (an I2C adapter through i2c-dev, by its "
                        "device, number or kernel name), or i2c:sim and "
                        "i2c:sim:FILE (a simulated switch on an I2C adapter).");
}

uint16_t ParseIoBase(const std::string& name) {
    const std::string digits = name.substr(kIoPrefix.size());
    char* end = nullptr;
    errno = 0;
    const unsigned long base = std::strtoul(digits.c_str(), &end, 0);
    if (digits.empty() || *end != '\0' || errno != 0 || base > 0xFFFD) {
        UnknownName(name);
    }
    IoPort::CheckBase(static_cast<uint16_t>(base));
    return static_cast<uint16_t>(base);
}

bool IsDevice(const std::string& name) {
    return StartsWith(name, kDevicePrefix) && name.size() > kDevicePrefix.size();
}

bool AllDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// "i2c:/dev/i2c-N", "i2c:N" or "i2c:NAME": the folder of the device and N,
// looking a name up in sysfs below `sysfsRoot`; with no root only the form is
// checked and a name gives N = -1.
std::pair<std::string, int> ParseI2cAdapter(const std::string& name, const std::string* sysfsRoot) {
    const std::string rest = name.substr(kI2cPrefix.size());
    if (AllDigits(rest) && rest.size() < 6) {
        return {"/dev", std::stoi(rest)};
    }
    if (!rest.empty() && !AllDigits(rest) && rest.find('/') == std::string::npos) {
        return {"/dev", sysfsRoot == nullptr ? -1 : I2cSysfs(*sysfsRoot).FindByName(rest)};
    }
    const auto slash = rest.rfind('/');
    const std::string base = slash == std::string::npos ? rest : rest.substr(slash + 1);
    const std::string number =
        StartsWith(base, kI2cDevicePrefix) ? base.substr(kI2cDevicePrefix.size()) : std::string();
    if (slash == std::string::npos || slash == 0 || !AllDigits(number) || number.size() >= 6) {
        UnknownName(name);
    }
    return {rest.substr(0, slash), std::stoi(number)};
}

// For a simulated port name, whether it is one and the file that keeps it
// ("" for one in memory).
bool IsSimulated(const std::string& name, std::string& file) {
    const std::string rest = StartsWith(name, kI2cPrefix) ? name.substr(kI2cPrefix.size()) : name;
    if (rest == kSimName) {
        file.clear();
        return true;
    }
    if (StartsWith(rest, kSimFilePrefix)) {
        file = rest.substr(kSimFilePrefix.size());
        if (file.empty()) {
            UnknownName(name);
        }
        return true;
    }
    return false;
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

void PortFactory::CheckName(const std::string& name) {
    std::string file;
    if (IsSimulated(name, file)) {
        return;
    }
    if (StartsWith(name, kI2cPrefix)) {
        ParseI2cAdapter(name, nullptr);
    } else if (StartsWith(name, kIoPrefix)) {
        ParseIoBase(name);
    } else if (!IsDevice(name)) {
        UnknownName(name);
    } else if (!PpdevSystem::MayBePort(name)) {
        throw PortNameError(name +
                            " is not a parallel port: the ppdev driver's ports are the "
                            "character devices /dev/parportN (tarnel-cli list-ports lists them).");
    }
}

SimEeprom::Faults PortFactory::ChooseSimFaults() {
    const char* names = std::getenv("TARNEL_SIM_FAULT");
    if (names == nullptr) {
        return {};
    }
    try {
        return SimEeprom::ParseFaults(names);
    } catch (const std::invalid_argument& error) {
        throw std::invalid_argument("TARNEL_SIM_FAULT: " + std::string(error.what()));
    }
}

int PortFactory::ChooseSimPageSize() {
    const char* value = std::getenv("TARNEL_SIM_PAGE");
    if (value == nullptr || *value == '\0') {
        return SimEeprom::kDefaultPageSize;
    }
    char* end = nullptr;
    errno = 0;
    const long bytes = std::strtol(value, &end, 10);
    if (*end != '\0' || errno != 0 || bytes > static_cast<long>(kEepromSize) ||
        !SimEeprom::IsPageSize(static_cast<int>(bytes))) {
        throw std::invalid_argument("TARNEL_SIM_PAGE: \"" + std::string(value) +
                                    "\" is no page size; use 1, 2, 4, 8, 16, 32, 64 or 128.");
    }
    return static_cast<int>(bytes);
}

PortFactory::PortFactory(std::string portName) : m_portName(std::move(portName)) {
    // A simulated switch's file is fixed when the port is named: the GUI's
    // current directory moves with its file dialogs.
    std::string file;
    try {
        if (IsSimulated(m_portName, file) && !file.empty()) {
            std::error_code error;
            const std::filesystem::path absolute = std::filesystem::absolute(file, error);
            m_simFile = error ? file : absolute.string();
        }
    } catch (const PortError&) {
        // A malformed name is reported when the port is opened.
    }
}

void PortFactory::SetTrace(const std::string& vcdPath) {
    if (m_trace) {
        throw PortError("A bus trace is already being recorded in this run.");
    }
    if (IsI2c()) {
        throw PortNameError("A bus trace is recorded on parallel ports only; " + m_portName +
                            " is an I2C adapter. Leave out --trace.");
    }
    m_trace = std::make_unique<VcdWriter>(vcdPath);
    VcdWriter& writer = *m_trace;
    AddWrapper([&writer](std::unique_ptr<LptPort> port) -> std::unique_ptr<LptPort> {
        return std::make_unique<TracePort>(std::move(port), writer);
    });
}

std::string PortFactory::FlushTrace() {
    return m_trace ? m_trace->Flush() : std::string();
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

std::unique_ptr<DeviceLink> PortFactory::OpenLink() {
    if (!IsI2c()) {
        return std::make_unique<LptLink>(Open());
    }
    if (SimEeprom* sim = Simulator()) {
        return std::make_unique<I2cDevLink>(
            std::make_unique<SimI2cAdapter>(*sim, m_i2cFaults, m_i2cTransfers, OpenSimFile()));
    }
    const auto [folder, number] = ParseI2cAdapter(m_portName, &m_sysfsRoot);
    return std::make_unique<I2cDevLink>(
        std::make_unique<I2cDevAdapter>(number, folder, m_sysfsRoot));
}

bool PortFactory::IsI2c() const {
    return StartsWith(m_portName, kI2cPrefix);
}

SimEeprom* PortFactory::Simulator() {
    std::string file;
    if (!IsSimulated(m_portName, file)) {
        return nullptr;
    }
    if (!m_sim) {
        m_sim = std::make_unique<SimEeprom>();
        m_sim->SetWriteCycle(std::chrono::nanoseconds(kSimWriteCycle));
        m_sim->GetFaults() = m_simFaults;
        m_sim->SetPageSize(m_simPageSize);
    }
    return m_sim.get();
}

std::unique_ptr<SimEepromFile> PortFactory::OpenSimFile() {
    if (m_simFile.empty()) {
        return nullptr;
    }
    return std::make_unique<SimEepromFile>(m_simFile, *Simulator());
}

std::unique_ptr<LptPort> PortFactory::OpenBackend() {
    if (IsI2c()) {
        throw PortError(m_portName + " is an I2C adapter, not a parallel port.");
    }
    if (SimEeprom* sim = Simulator()) {
        return std::make_unique<SimPort>(*sim, OpenSimFile());
    }
    if (StartsWith(m_portName, kIoPrefix)) {
        return std::make_unique<IoPort>(ParseIoBase(m_portName));
    }
    if (IsDevice(m_portName)) {
        return std::make_unique<PpdevPort>(m_portName);
    }
    UnknownName(m_portName);
}
