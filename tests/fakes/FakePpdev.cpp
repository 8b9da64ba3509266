// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePpdev.h"

#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <fstream>

namespace fs = std::filesystem;

FakePpdev::FakePpdev(SimEeprom& eeprom, const std::string& root)
    : PpdevSystem(root), m_port(eeprom) {
    fs::create_directories(ClaimDir().parent_path());
    std::ofstream(fs::path(root) / "proc/devices") << "Character devices:\n 99 ppdev\n";
}

fs::path FakePpdev::ClaimDir() const {
    return fs::path(Root()) / "proc/sys/dev/parport/parport0/devices/ppdev0";
}

int FakePpdev::Open(const std::string&, int& fd) {
    fd = ++m_lastFd;
    return 0;
}

int FakePpdev::Ioctl(int fd, unsigned long request, void* argument) {
    auto* byte = static_cast<unsigned char*>(argument);
    switch (request) {
        case PPEXCL:
        case PPRELEASE:
            return 0;
        case PPCLAIM:
            if (!fs::create_directory(ClaimDir())) {
                return ENXIO;
            }
            m_claimingFd = fd;
            return 0;
        case PPWDATA:
            m_port.WriteData(*byte);
            return 0;
        case PPWCONTROL:
            m_port.WriteControl(*byte);
            return 0;
        case PPRSTATUS:
            *byte = m_port.ReadStatus();
            return 0;
        default:
            return ENOTTY;
    }
}

int FakePpdev::Close(int fd) {
    if (fd == m_claimingFd) {
        fs::remove(ClaimDir());
        m_claimingFd = -1;
    }
    return 0;
}
