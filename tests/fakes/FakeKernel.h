// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "FakeSysfs.h"

class PortSession;

// The kernel's side of the ports that talk to it, played for a PortSession
// by fakes backed by the session's simulated switch: ppdev with its port
// parport0 (FakePpdev), port I/O (FakePortIo), and i2c-dev (FakeI2cDev over
// the switch's simulated I2C adapter) with adapter i2c-1 in a /dev and a
// sysfs of its own. What the kernel keeps across processes (ppdev's claim,
// the lock files of io: and of i2c-dev) lives in its folder, so the sessions
// it plays for meet each other as two runs do.
class FakeKernel {
public:
    // A fresh tree in a folder of the temporary folder named after `name`
    // and this process; removed again with the object.
    explicit FakeKernel(const std::string& name);
    ~FakeKernel();
    FakeKernel(const FakeKernel&) = delete;
    FakeKernel& operator=(const FakeKernel&) = delete;

    // Hands the fakes to `session`, which must not outlive this object. Its
    // simulated switch is created now, with the faults the session has.
    void PlayFor(PortSession& session) const;

private:
    std::filesystem::path m_root;
    FakeSysfs m_sysfs;
};
