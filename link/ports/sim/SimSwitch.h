// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "I2cAdapter.h"
#include "LptPort.h"
#include "SimEeprom.h"
#include "SimI2cAdapter.h"

// The simulated switch of a run: one SimEeprom that every simulated port
// opened in the run reaches, so its memory and its write-cycle state carry
// over from one command to the next, with the faults of its simulated I2C
// adapter and a count of the transfers asked of it.
class SimSwitch {
public:
    // Length of the simulated EEPROM's write cycle after each write.
    static constexpr std::chrono::milliseconds kWriteCycle{5};

    // A switch holding SimEeprom::Pattern(), with `faults` switched on and
    // pages of `pageSize` bytes.
    SimSwitch(const SimFaults& faults, int pageSize);

    SimEeprom& Eeprom() { return m_eeprom; }
    // Faults of the simulated I2C adapter (for tests).
    SimI2cAdapter::Faults& I2cFaults() { return m_i2cFaults; }
    // The transfers the simulated I2C adapter was asked for so far.
    int I2cTransfers() const { return m_i2cTransfers; }
    // The bulk transfers asked of the simulated USB bridges so far, which
    // the USB faults in the EEPROM's faults count.
    int& UsbTransfers() { return m_usbTransfers; }

    // A parallel port wired to the EEPROM; with `file` not empty, the
    // EEPROM's memory is what the file holds, kept there while the port is
    // open. Throws PortError when the file cannot be used.
    std::unique_ptr<LptPort> OpenPort(const std::string& file);
    // An I2C adapter with the EEPROM behind it, `file` as for OpenPort.
    std::unique_ptr<I2cAdapter> OpenAdapter(const std::string& file);
    // The file that keeps the EEPROM's memory, loaded into it; null for
    // an empty `file`. Throws PortError when the file cannot be used.
    std::unique_ptr<SimEepromFile> OpenFile(const std::string& file);

private:
    SimEeprom m_eeprom;
    SimI2cAdapter::Faults m_i2cFaults;
    int m_i2cTransfers = 0;
    int m_usbTransfers = 0;
};
