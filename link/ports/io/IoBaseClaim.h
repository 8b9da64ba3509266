// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "LockedFile.h"

// Holds a parallel port's I/O base for one user at a time, as ppdev's
// exclusive claim does for its ports: direct port I/O has no claim of its own,
// and two users bit-banging one port would interleave their bus sequences.
// Within the process (the threads of several ports) the claim holds through a
// set of claimed bases; across processes through a lock file, readable by its
// owner only, in `lockDir`, a folder where only root (or the owner of the
// folder, in tests) can create files. A claim that cannot be taken (the
// folder shared with other users, the lock file another's, or held) fails.
class IoBaseClaim {
public:
    static constexpr const char* kLockDir = "/run/tarnel";

    // Creates `lockDir` (mode 0755) when it is missing; throws PortError
    // when `base` is claimed already or the claim cannot be taken.
    explicit IoBaseClaim(uint16_t base, const std::string& lockDir = kLockDir);
    ~IoBaseClaim();
    IoBaseClaim(const IoBaseClaim&) = delete;
    IoBaseClaim& operator=(const IoBaseClaim&) = delete;

    // The lock file for `base` in `lockDir`.
    static std::string LockPath(uint16_t base, const std::string& lockDir);

private:
    // Opens and locks the lock file; throws PortError when it cannot.
    void Lock(const std::string& lockDir);

    uint16_t m_base;
    LockedFile m_file;
};
