// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePortIo.h"

int FakePortIo::Permit(uint16_t base, unsigned, bool on) {
    if (on) {
        m_base = base;
    }
    return 0;
}

uint8_t FakePortIo::In(uint16_t port) {
    if (port == m_base + 1) {
        return m_port.ReadStatus();
    }
    return port == m_base ? m_data : m_control;
}

void FakePortIo::Out(uint16_t port, uint8_t value) {
    if (port == m_base) {
        m_data = value;
        m_port.WriteData(value);
    } else {
        m_control = value;
        m_port.WriteControl(value);
    }
}
