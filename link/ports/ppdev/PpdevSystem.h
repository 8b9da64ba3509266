// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The system calls a PpdevPort makes, and where it finds the proc and sys
// trees that explain a failure. The seam through which tests play the
// kernel's part; the base class makes the real calls.
class PpdevSystem {
public:
    // `root` holds the proc and sys trees ("/" on a running system).
    explicit PpdevSystem(std::string root = "/") : m_root(std::move(root)) {}
    virtual ~PpdevSystem() = default;

    // The running system.
    static PpdevSystem& Kernel();

    // False when `path` exists but is no ppdev device (a character device of
    // major 99): opening other device nodes can have effects of their own (a
    // watchdog starts its countdown), so such a path is never opened.
    static bool MayBePort(const std::string& path);

    // Opens `path` for reading and writing into `fd`: 0, or the error number
    // (ENOTTY, without opening it, when it is no ppdev device).
    virtual int Open(const std::string& path, int& fd);
    // One ioctl: 0, or the error number.
    virtual int Ioctl(int fd, unsigned long request, void* argument);
    // Closes `fd`: 0, or the error number.
    virtual int Close(int fd);

    // Where the proc and sys trees are.
    const std::string& Root() const { return m_root; }

private:
    std::string m_root;
};
