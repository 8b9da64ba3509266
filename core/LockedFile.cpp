// SPDX-License-Identifier: GPL-3.0-or-later
#include "LockedFile.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

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

int LockedFile::LockExclusive() {
    return ::flock(m_fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
}

int LockedFile::Close() {
    if (m_fd < 0) {
        return 0;
    }
    const int status = ::close(std::exchange(m_fd, -1));
    return status == 0 ? 0 : errno;
}
