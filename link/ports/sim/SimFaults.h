// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Faults of the simulated switch EEPROM that a test or TARNEL_SIM_FAULT
// switches on.
struct SimFaults {
    bool absent = false;               // nothing on the bus: never drives SDA
    bool dataNotAcknowledged = false;  // refuses (and drops) every data byte
    bool sdaHeldLow = false;           // SDA shorted low
    bool endlessWriteCycle = false;    // busy for ever after its first write
    bool writeProtected = false;       // acknowledges data bytes but keeps none
};
