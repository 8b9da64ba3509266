// SPDX-License-Identifier: GPL-3.0-or-later
#include "PpdevSystem.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

PpdevSystem& PpdevSystem::Kernel() {
    static PpdevSystem kernel;
    return kernel;
}

int PpdevSystem::Open(const std::string& path, int& fd) {
    fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    return fd < 0 ? errno : 0;
}

int PpdevSystem::Ioctl(int fd, unsigned long request, void* argument) {
    return ::ioctl(fd, request, argument) < 0 ? errno : 0;
}

int PpdevSystem::Close(int fd) {
    return ::close(fd) < 0 ? errno : 0;
}
