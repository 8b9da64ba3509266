// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cerrno>
#include <memory>
#include <string>

#include "I2cAdapter.h"
#include "LinkText.h"
#include "SimEeprom.h"
#include "SimEepromFile.h"

// An I2C adapter with a SimEeprom behind it: each transfer is driven onto the
// simulated chip bit by bit (through I2cBus over a SimPort), so write cycles,
// refused addresses and faults behave exactly as on the parallel-port
// simulator. Errors come back as an i2c-dev adapter reports them.
class SimI2cAdapter : public I2cAdapter {
public:
    // Adapter-level faults a test can switch on.
    struct Faults {
        bool driverBound = false;          // a kernel driver (at24) holds 0x50
        bool noCombinedTransfers = false;  // I2C_FUNCS lacks I2C_FUNC_I2C
        int failAfterTransfers = -1;       // transfers that succeed before failing; -1: never
        int failError = EIO;               // what the failing transfers return
    };

    // `faults` and `transfers` (a count of transfers attempted) outlive the
    // adapter, so they last for the run as the EEPROM does. `file`, when
    // given, keeps the EEPROM and is held until the adapter goes.
    SimI2cAdapter(SimEeprom& eeprom, const Faults& faults, int& transfers,
                  std::unique_ptr<SimEepromFile> file = nullptr)
        : m_eeprom(eeprom), m_faults(faults), m_transfers(transfers), m_file(std::move(file)) {}

    std::string Name() const override {
        return TARNEL_TEXT("SimI2cAdapter", "the simulated I2C adapter").Text();
    }
    unsigned long Functions() override;
    std::optional<std::string> AddressHeldBy(uint16_t address) override;
    int Transfer(I2cMessage* messages, int count) override;

private:
    SimEeprom& m_eeprom;
    const Faults& m_faults;
    int& m_transfers;
    std::unique_ptr<SimEepromFile> m_file;
};
