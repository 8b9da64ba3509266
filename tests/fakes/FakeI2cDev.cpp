// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeI2cDev.h"

#include <linux/i2c-dev.h>
#include <linux/i2c.h>

#include <cerrno>
#include <cstdint>
#include <vector>

int FakeI2cDev::Ioctl(unsigned long request, void* argument) {
    if (request == I2C_FUNCS) {
        *static_cast<unsigned long*>(argument) = m_kernel->Functions();
        return 0;
    }
    if (request == I2C_SLAVE) {
        const auto address = static_cast<uint16_t>(reinterpret_cast<uintptr_t>(argument));
        return m_kernel->AddressHeldBy(address) ? EBUSY : 0;
    }
    if (request != I2C_RDWR) {
        return ENOTTY;
    }
    const auto& transfer = *static_cast<i2c_rdwr_ioctl_data*>(argument);
    std::vector<I2cMessage> messages;
    for (const i2c_msg* message = transfer.msgs; message != transfer.msgs + transfer.nmsgs;
         ++message) {
        messages.push_back(
            {message->addr, (message->flags & I2C_M_RD) != 0, message->buf, message->len});
    }
    return m_kernel->Transfer(messages.data(), static_cast<int>(messages.size()));
}
