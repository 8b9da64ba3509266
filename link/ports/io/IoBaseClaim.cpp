// SPDX-License-Identifier: GPL-3.0-or-later
#include "IoBaseClaim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>
#include <set>

#include "PortError.h"

namespace {
std::mutex g_mutex;
std::set<uint16_t> g_claimed;

[[noreturn]] void InUse(uint16_t base) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", base);
    throw PortError(std::string("The parallel port at ") + hex +
                    " is in use by another tarnel (another program, or another --port naming "
                    "the same port); wait until it has finished.");
}
}  // namespace

std::string IoBaseClaim::LockPath(uint16_t base, const std::string& lockDir) {
    char name[32];
    std::snprintf(name, sizeof name, "/tarnel-io-0x%X.lock", base);
    return lockDir + name;
}

IoBaseClaim::IoBaseClaim(uint16_t base, const std::string& lockDir) : m_base(base) {
    {
        const std::lock_guard<std::mutex> guard(g_mutex);
        if (!g_claimed.insert(base).second) {
            InUse(base);
        }
    }
    // O_NOFOLLOW: the lock folder is shared and sticky; a planted link is
    // not followed.
    m_fd = ::open(LockPath(base, lockDir).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_fd);
        m_fd = -1;
        const std::lock_guard<std::mutex> guard(g_mutex);
        g_claimed.erase(base);
        InUse(base);
    }
}

IoBaseClaim::~IoBaseClaim() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    const std::lock_guard<std::mutex> guard(g_mutex);
    g_claimed.erase(m_base);
}
