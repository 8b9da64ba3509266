// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

// An open file descriptor that closes itself, and with it drops any advisory
// lock taken on it. Move-only.
class LockedFile {
public:
    enum class Lock { shared, exclusive };

    LockedFile() = default;
    explicit LockedFile(int fd) : m_fd(fd) {}
    ~LockedFile();
    LockedFile(LockedFile&& other) noexcept;
    LockedFile& operator=(LockedFile&& other) noexcept;
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    int get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    // Takes the advisory lock `lock` (flock), waiting up to `wait` while
    // another holder has a lock that excludes it; returns 0, or the error
    // (EWOULDBLOCK when the wait ran out).
    int Take(Lock lock, std::chrono::milliseconds wait);
    // Closes now; returns 0, or the error of close.
    int Close();

private:
    int m_fd = -1;
};
