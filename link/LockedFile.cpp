// SPDX-License-Identifier: GPL-3.0-or-later
#include "LockedFile.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <utility>

namespace {
// How often a lock held elsewhere is tried again.
constexpr std::chrono::milliseconds kRetry{20};
}  // namespace

LockedFile::~LockedFile() {
    Close();
}

LockedFile::LockedFile(LockedFile&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

LockedFile& LockedFile::operator=(LockedFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

int LockedFile::Take(Lock lock, std::chrono::milliseconds wait) {
    // Polled rather than blocking, so that the wait has an end.
    const int operation = (lock == Lock::shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(m_fd, operation) != 0) {
        const int error = errno;
        if (error == EINTR) {
            continue;
        }
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            return error;
        }
        std::this_thread::sleep_for(kRetry);
    }
    return 0;
}

int LockedFile::Close() {
    if (m_fd < 0) {
        return 0;
    }
    const int status = ::close(std::exchange(m_fd, -1));
    return status == 0 ? 0 : errno;
}
