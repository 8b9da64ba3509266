// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimI2cAdapter.h"

#include <linux/i2c.h>

#include <cerrno>

#include "I2cBus.h"
#include "SimPort.h"

unsigned long SimI2cAdapter::Functions() {
    // Like the kernel's bit-banged adapters, it sees every acknowledge.
    const unsigned long smbus = I2C_FUNC_SMBUS_BYTE_DATA | I2C_FUNC_SMBUS_I2C_BLOCK;
    return m_faults.noCombinedTransfers ? smbus : smbus | I2C_FUNC_I2C | I2C_FUNC_PROTOCOL_MANGLING;
}

std::optional<std::string> SimI2cAdapter::AddressHeldBy(uint16_t) {
    if (!m_faults.driverBound) {
        return std::nullopt;
    }
    return TARNEL_TEXT("SimI2cAdapter",
                       "the kernel driver at24 holds address 0x50 on %1; unbind it first, so that "
                       "tarnel does not talk over it")
        .Text(Name());
}

int SimI2cAdapter::Transfer(I2cMessage* messages, int count) {
    if (m_faults.failAfterTransfers >= 0 && m_transfers >= m_faults.failAfterTransfers) {
        ++m_transfers;
        return m_faults.failError;
    }
    ++m_transfers;
    SimPort port(m_eeprom);
    I2cBus bus(port);
    bus.Release();
    if (!port.SdaLevel()) {
        return EBUSY;  // as a controller reports a bus it cannot start on
    }
    int error = 0;
    for (int i = 0; i < count && error == 0; ++i) {
        I2cMessage& message = messages[i];
        if (i == 0) {
            bus.Start();
        } else {
            bus.RepeatedStart();
        }
        bus.SendAddress(static_cast<uint8_t>((message.address << 1) | (message.read ? 1 : 0)));
        if (!bus.AckClockSampled()) {
            error = ENXIO;
            break;
        }
        for (uint16_t k = 0; k < message.length; ++k) {
            if (!message.read) {
                bus.SendByte(message.data[k]);
                if (!bus.AckClockSampled()) {
                    error = EIO;
                    break;
                }
                continue;
            }
            message.data[k] = bus.ReceiveByte();
            if (k + 1 < message.length) {
                bus.MasterAck();
            } else {
                bus.AckClock();
            }
        }
    }
    bus.Stop();
    bus.Release();
    return error;
}
