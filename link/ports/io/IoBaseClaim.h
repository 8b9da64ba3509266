// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// Holds a parallel port's I/O base for one user at a time, as ppdev's
// exclusive claim does for its ports: direct port I/O has no claim of its own,
// and two users bit-banging one port would interleave their bus sequences.
// Within the process (the threads of several ports) the claim always holds;
// across processes it holds through a lock file in `lockDir` where one can be
// made there.
class IoBaseClaim {
public:
    static constexpr const char* kLockDir = "/run/lock";

    // Throws PortError when `base` is claimed already.
    explicit IoBaseClaim(uint16_t base, const std::string& lockDir = kLockDir);
    ~IoBaseClaim();
    IoBaseClaim(const IoBaseClaim&) = delete;
    IoBaseClaim& operator=(const IoBaseClaim&) = delete;

    // The lock file for `base` in `lockDir`.
    static std::string LockPath(uint16_t base, const std::string& lockDir);

private:
    uint16_t m_base;
    int m_fd = -1;
};
