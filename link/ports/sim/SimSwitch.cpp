// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimSwitch.h"

#include "SimEepromFile.h"
#include "SimPort.h"

SimSwitch::SimSwitch(const SimFaults& faults, int pageSize) {
    m_eeprom.SetWriteCycle(std::chrono::nanoseconds(kWriteCycle));
    m_eeprom.GetFaults() = faults;
    m_eeprom.SetPageSize(pageSize);
}

std::unique_ptr<SimEepromFile> SimSwitch::OpenFile(const std::string& file) {
    return file.empty() ? nullptr : std::make_unique<SimEepromFile>(file, m_eeprom);
}

std::unique_ptr<LptPort> SimSwitch::OpenPort(const std::string& file) {
    return std::make_unique<SimPort>(m_eeprom, OpenFile(file));
}

std::unique_ptr<I2cAdapter> SimSwitch::OpenAdapter(const std::string& file) {
    return std::make_unique<SimI2cAdapter>(m_eeprom, m_i2cFaults, m_i2cTransfers, OpenFile(file));
}
