// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A USB fault of the simulated USB bridge (ch341:sim), beginning after a
// number of its bulk transfers.
struct SimUsbFaults {
    enum class Kind {
        Unplugged,       // every later transfer: the device is gone
        FailedThenGone,  // the transfer fails (an I/O error), and the device is gone
        Silent,          // every later transfer times out; the device stays
        SilentThenGone,  // every later transfer times out, and it is gone
    };
    int transfersBeforeFault = -1;  // transfers carried out first; -1: never
    Kind kind = Kind::Unplugged;
};

// Faults of the simulated switch EEPROM, and of the simulated USB bridge in
// front of it, that a test or TARNEL_SIM_FAULT switches on.
struct SimFaults {
    bool absent = false;               // nothing on the bus: never drives SDA
    bool dataNotAcknowledged = false;  // refuses (and drops) every data byte
    bool sdaHeldLow = false;           // SDA shorted low
    bool endlessWriteCycle = false;    // busy for ever after its first write
    bool writeProtected = false;       // acknowledges data bytes but keeps none
    SimUsbFaults usb = {};
};
