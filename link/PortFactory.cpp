// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortFactory.h"

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

#include "LinkText.h"
#include "PortKinds.h"
#include "PortNameError.h"
#include "PortSession.h"
#include "SimEeprom.h"
#include "SimSwitch.h"

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

SimFaults PortFactory::ChooseSimFaults() {
    const char* names = std::getenv("TARNEL_SIM_FAULT");
    if (names == nullptr) {
        return {};
    }
    try {
        return SimEeprom::ParseFaults(names);
    } catch (const std::invalid_argument& error) {
        throw PortNameError("TARNEL_SIM_FAULT: " + std::string(error.what()));
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
        throw PortNameError(
            TARNEL_TEXT(
                "PortFactory",
                "TARNEL_SIM_PAGE: \"%1\" is no page size; use 1, 2, 4, 8, 16, 32, 64 or 128.")
                .Text(value));
    }
    return static_cast<int>(bytes);
}

void PortFactory::CheckName(const std::string& name) {
    const PortKind* kind = PortKinds::Find(name);
    if (kind == nullptr) {
        PortKinds::ThrowUnknown(name);
    }
    kind->check(name);
}

PortFactory::PortFactory(std::string portName)
    : m_portName(std::move(portName)),
      m_kind(PortKinds::Find(m_portName)),
      m_session(std::make_unique<PortSession>()) {}

PortFactory::~PortFactory() = default;

void PortFactory::SetTrace(const std::string& vcdPath) {
    if (m_kind != nullptr && !m_kind->traceable) {
        throw PortNameError(TARNEL_TEXT("PortFactory",
                                        "A bus trace is recorded on parallel ports only; %1 is an "
                                        "I2C adapter. Leave out --trace.")
                                .Text(m_portName));
    }
    m_session->SetTrace(vcdPath);
}

std::optional<std::string> PortFactory::FlushTrace() {
    return m_session->FlushTrace();
}

std::unique_ptr<DeviceLink> PortFactory::OpenLink() {
    if (m_kind == nullptr) {
        PortKinds::ThrowUnknown(m_portName);
    }
    return m_kind->open(m_portName, *m_session);
}

void PortFactory::SetSimFaults(const SimFaults& faults) {
    m_session->SetSimFaults(faults);
}

void PortFactory::SetSimPageSize(int bytes) {
    m_session->SetSimPageSize(bytes);
}

SimEeprom* PortFactory::Simulator() {
    if (m_kind == nullptr || !m_kind->simulated) {
        return nullptr;
    }
    return &m_session->Simulation().Eeprom();
}
