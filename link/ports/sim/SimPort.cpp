// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimPort.h"

#include "AdapterWiring.h"

using AdapterWiring::kScl;
using AdapterWiring::kSdaDrive;
using AdapterWiring::kSdaSense;

void SimPort::OutData(uint8_t value) {
    m_eeprom.Drive(m_eeprom.SclHigh(), (value & kSdaDrive) != 0);
}

void SimPort::OutControl(uint8_t value) {
    m_eeprom.Drive((value & kScl) != 0, m_eeprom.MasterSdaReleased());
}

uint8_t SimPort::InStatus() {
    return static_cast<uint8_t>((m_otherStatus & ~kSdaSense) |
                                (m_eeprom.SdaLevel() ? kSdaSense : 0));
}
