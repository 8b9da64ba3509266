// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "AdapterWiring.h"
#include "IoSystem.h"
#include "SimPort.h"

// Plays the machine's port I/O for an IoPort: a parallel port at the base
// access is given for, its data and control registers keeping what is
// written to them, every access passed on to a SimPort on `eeprom`. Claims
// are kept in `lockDir`.
class FakePortIo : public IoSystem {
public:
    FakePortIo(SimEeprom& eeprom, std::string lockDir)
        : IoSystem(std::move(lockDir)), m_port(eeprom) {}

    bool HasPortIo() const override { return true; }
    int Permit(uint16_t base, unsigned count, bool on) override;
    uint8_t In(uint16_t port) override;
    void Out(uint16_t port, uint8_t value) override;

private:
    SimPort m_port;
    uint16_t m_base = 0;
    uint8_t m_data = 0xFF;
    uint8_t m_control = AdapterWiring::kScl;
};
