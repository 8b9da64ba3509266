// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>

#include "LptPort.h"
#include "SimEeprom.h"
#include "SimEepromFile.h"

// A parallel port wired to a SimEeprom through the adapter's lines: data bit 7
// drives SDA (open-drain), control bit 2 drives SCL, status bit 6 reads the SDA
// level and the other status bits read a fixed value. The line levels live in
// the SimEeprom, so a new SimPort on the same EEPROM meets the bus as the last
// one left it.
class SimPort : public LptPort {
public:
    // Status bits other than bit 6 read this value by default (the busy,
    // paper-out and select lines of an idle printer port).
    static constexpr uint8_t kDefaultOtherStatus = 0x98;

    explicit SimPort(SimEeprom& eeprom) : m_eeprom(eeprom) {}
    // As above, holding the file that keeps the EEPROM until the port goes.
    SimPort(SimEeprom& eeprom, std::unique_ptr<SimEepromFile> file)
        : m_eeprom(eeprom), m_file(std::move(file)) {}

    // Sets what status bits 0 to 5 and 7 read; bit 6 of `value` is ignored.
    void SetOtherStatusBits(uint8_t value) { m_otherStatus = value; }
    // Present level of SDA on the bus, whoever drives it.
    bool SdaLevel() const { return m_eeprom.SdaLevel(); }

protected:
    void OutData(uint8_t value) override;
    void OutControl(uint8_t value) override;
    uint8_t InStatus() override;

private:
    SimEeprom& m_eeprom;
    std::unique_ptr<SimEepromFile> m_file;
    uint8_t m_otherStatus = kDefaultOtherStatus;
};
