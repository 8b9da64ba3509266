// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "IoBaseClaim.h"

// The port I/O an IoPort does, and the folder that keeps its claims. The
// seam through which tests play the machine's part; the base class makes the
// real calls (ioperm, inb, outb), which only x86 has.
class IoSystem {
public:
    explicit IoSystem(std::string lockDir = IoBaseClaim::kLockDir)
        : m_lockDir(std::move(lockDir)) {}
    virtual ~IoSystem() = default;

    // The running system.
    static IoSystem& Kernel();

    // Whether the machine has port I/O at all.
    virtual bool HasPortIo() const;
    // Gives (`on`) or takes back access to `count` ports from `base`: 0, or
    // the error number.
    virtual int Permit(uint16_t base, unsigned count, bool on);
    // One read of `port`; access to it has been given.
    virtual uint8_t In(uint16_t port);
    // One write of `value` to `port`; access to it has been given.
    virtual void Out(uint16_t port, uint8_t value);

    // Where IoBaseClaim keeps its lock files.
    const std::string& LockDir() const { return m_lockDir; }

private:
    std::string m_lockDir;
};
