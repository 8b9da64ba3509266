// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An open file descriptor that closes itself, and with it drops any advisory
// lock taken on it. Move-only.
class LockedFile {
public:
    LockedFile() = default;
    explicit LockedFile(int fd) : m_fd(fd) {}
    ~LockedFile();
    LockedFile(LockedFile&& other) noexcept;
    LockedFile& operator=(LockedFile&& other) noexcept;
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    int get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    // Takes the exclusive advisory lock (flock) without waiting; returns 0,
    // or the error (EWOULDBLOCK when another holder has it).
    int LockExclusive();
    // Closes now; returns 0, or the error of close.
    int Close();

private:
    int m_fd = -1;
};
