// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Ch341Transport.h"
#include "I2cBus.h"
#include "SimEeprom.h"
#include "SimEepromFile.h"
#include "SimFaults.h"
#include "SimPort.h"

// A simulated CH341A at the level of its bulk transfers, with a SimEeprom on
// its I2C bus: each segment sent to it is checked against the chip's stream
// format (Ch341Protocol.h) and carried out on the simulated chip bit by bit
// (through I2cBus over a SimPort), so write cycles, refused bytes and the
// EEPROM's faults behave as on the other simulated ports; its replies wait
// for the next bulk IN. A malformed segment fails its transfer, naming the
// fault. USB faults (an unplug, a chip that stops answering) can be switched
// on after a number of transfers.
class SimCh341 : public Ch341Transport {
public:
    using Faults = SimUsbFaults;

    // `faults` and `transfers` (a count of bulk transfers asked for) outlive
    // the chip, so they last for the run as the EEPROM does. `file`, when
    // given, keeps the EEPROM and is held until the chip goes.
    SimCh341(SimEeprom& eeprom, const Faults& faults, int& transfers,
             std::unique_ptr<SimEepromFile> file = nullptr);

    std::string Name() const override { return "ch341:sim"; }
    Result BulkOut(const uint8_t* data, int length, std::chrono::milliseconds timeout) override;
    // Times out when no replies wait, as the chip answers no IN then.
    Result BulkIn(uint8_t* data, int capacity, std::chrono::milliseconds timeout) override;
    bool Present() override;

    // Every segment taken so far, in order.
    const std::vector<std::vector<uint8_t>>& Segments() const { return m_segments; }
    // The bus speed the host set (0..3), -1 before it set one.
    int Speed() const { return m_speed; }

private:
    // Whether the fault has begun; counts the transfer.
    bool Faulted();
    Result FaultResult() const;
    // Carries out one segment; returns why it is malformed, or empty.
    std::string Run(const uint8_t* data, int length);
    // Sends one byte and clocks its acknowledge; true when acknowledged.
    bool SendByte(uint8_t byte);

    const Faults& m_faults;
    int& m_transfers;
    SimPort m_port;
    I2cBus m_bus;
    bool m_inTransaction = false;
    int m_speed = -1;
    std::vector<uint8_t> m_replies;
    std::vector<std::vector<uint8_t>> m_segments;
};
