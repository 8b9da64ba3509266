// SPDX-License-Identifier: GPL-3.0-or-later
#include "PpdevSystem.h"

#include <fcntl.h>
#include <linux/major.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>

PpdevSystem& PpdevSystem::Kernel() {
    static PpdevSystem kernel;
    return kernel;
}

bool PpdevSystem::MayBePort(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return true;  // opening it tells why it is missing
    }
    return S_ISCHR(info.st_mode) && major(info.st_rdev) == PP_MAJOR;
}

int PpdevSystem::Open(const std::string& path, int& fd) {
    if (!MayBePort(path)) {
        fd = -1;
        return ENOTTY;
    }
    fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    return fd < 0 ? errno : 0;
}

int PpdevSystem::Ioctl(int fd, unsigned long request, void* argument) {
    return ::ioctl(fd, request, argument) < 0 ? errno : 0;
}

int PpdevSystem::Close(int fd) {
    return ::close(fd) < 0 ? errno : 0;
}
