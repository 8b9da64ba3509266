// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "IoBaseClaim.h"
#include "IoSystem.h"
#include "LptPort.h"

// A parallel port by direct port I/O at `base` (data), base + 1 (status) and
// base + 2 (control), through ioperm on x86 Linux (IoSystem). The constructor
// asks the kernel for access to the three ports, which needs root or
// CAP_SYS_RAWIO, and checks that a parallel port answers there; the
// destructor gives the access back.
class IoPort : public LptPort {
public:
    // Throws PortNameError unless `base` is a parallel port's base address:
    // 0x378, 0x278, 0x3BC or one the kernel lists for its parallel ports
    // (under `root`'s proc tree). Other bases belong to other hardware.
    static void CheckBase(uint16_t base, const std::string& root = "/");

    // Throws PortNameError as CheckBase does, and PortError, naming the ports
    // and the system's reason, when another user holds the port, access is
    // refused, the machine has no port I/O or no parallel port answers at
    // `base` (its data register does not keep what is written, the test the
    // kernel's own port probe makes).
    // Only the data register, and the direction bit of the control register,
    // are written before that test passes. `system` must outlive the port.
    explicit IoPort(uint16_t base, IoSystem& system = IoSystem::Kernel());
    ~IoPort() override;
    IoPort(const IoPort&) = delete;
    IoPort& operator=(const IoPort&) = delete;

protected:
    void OutData(uint8_t value) override;
    void OutControl(uint8_t value) override;
    uint8_t InStatus() override;

private:
    // Whether the data register keeps what is written to it, as a parallel
    // port's does; puts its value back afterwards.
    bool DataRegisterAnswers();

    uint16_t m_base;
    IoSystem& m_system;
    // Held from before the first access to the ports until after the last.
    std::unique_ptr<IoBaseClaim> m_claim;
};
