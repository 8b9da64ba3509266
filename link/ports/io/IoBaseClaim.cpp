// SPDX-License-Identifier: GPL-3.0-or-later
#include "IoBaseClaim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>

#include "LinkText.h"
#include "PortError.h"
#include "SafeOpen.h"

namespace {
std::mutex g_mutex;
std::set<uint16_t> g_claimed;

std::string Hex(uint16_t base) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", base);
    return hex;
}

[[noreturn]] void InUse(uint16_t base) {
    throw PortError(TARNEL_TEXT("IoBaseClaim",
                                "The parallel port at %1 is in use by another tarnel (another "
                                "program, or another --port naming the same port); wait until it "
                                "has finished.")
                        .Text(Hex(base)));
}

[[noreturn]] void Unclaimable(uint16_t base, const std::string& why) {
    throw PortError(TARNEL_TEXT("IoBaseClaim",
                                "Cannot claim the parallel port at %1: %2 Direct port I/O (io:) "
                                "needs root; the ppdev port /dev/parportN does not.")
                        .Text(Hex(base), why));
}
}  // namespace

std::string IoBaseClaim::LockPath(uint16_t base, const std::string& lockDir) {
    return lockDir + "/tarnel-io-" + Hex(base) + ".lock";
}

IoBaseClaim::IoBaseClaim(uint16_t base, const std::string& lockDir) : m_base(base) {
    {
        const std::lock_guard<std::mutex> guard(g_mutex);
        if (!g_claimed.insert(base).second) {
            InUse(base);
        }
    }
    try {
        Lock(lockDir);
    } catch (...) {
        const std::lock_guard<std::mutex> guard(g_mutex);
        g_claimed.erase(base);
        throw;
    }
}

void IoBaseClaim::Lock(const std::string& lockDir) {
    // The folder's parent too, where it is missing (a minimal system
    // without /run).
    if (::mkdir(lockDir.c_str(), 0755) != 0 && errno == ENOENT) {
        const std::string parent = lockDir.substr(0, lockDir.rfind('/'));
        if (!parent.empty()) {
            ::mkdir(parent.c_str(), 0755);
        }
    }
    if (::mkdir(lockDir.c_str(), 0755) != 0 && errno != EEXIST) {
        Unclaimable(m_base, TARNEL_TEXT("IoBaseClaim", "cannot create the folder %1: %2.")
                                .Text(lockDir, std::strerror(errno)));
    }
    // Only a folder no other user can write to keeps the claim: in a shared
    // one anybody could take or hold the lock file.
    struct stat folder {};
    if (::lstat(lockDir.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode) ||
        (folder.st_uid != 0 && folder.st_uid != ::geteuid()) || (folder.st_mode & 022) != 0) {
        Unclaimable(m_base, TARNEL_TEXT("IoBaseClaim",
                                        "%1 is not a folder that only its owner, root, can write "
                                        "to; remove it so that tarnel makes it anew.")
                                .Text(lockDir));
    }
    const std::string path = LockPath(m_base, lockDir);
    const SafeOpen::Result opened = SafeOpen::Open(path, O_RDWR | O_CREAT, 0600, m_file);
    if (!opened.ok()) {
        Unclaimable(m_base, opened.Describe(path));
    }
    struct stat file {};
    if (::fstat(m_file.get(), &file) != 0 || file.st_uid != ::geteuid() ||
        ::fchmod(m_file.get(), 0600) != 0) {
        Unclaimable(
            m_base,
            TARNEL_TEXT("IoBaseClaim", "%1 belongs to another user; remove it.").Text(path));
    }
    if (::flock(m_file.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            InUse(m_base);
        }
        Unclaimable(
            m_base,
            TARNEL_TEXT("IoBaseClaim", "cannot lock %1: %2.").Text(path, std::strerror(errno)));
    }
}

IoBaseClaim::~IoBaseClaim() {
    m_file.Close();
    const std::lock_guard<std::mutex> guard(g_mutex);
    g_claimed.erase(m_base);
}
