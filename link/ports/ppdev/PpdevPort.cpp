// SPDX-License-Identifier: GPL-3.0-or-later
#include "PpdevPort.h"

#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "KernelFiles.h"
#include "ParportState.h"
#include "PortError.h"

namespace {
// N of a device named parportN, or -1.
int PortNumber(const std::string& device) {
    const std::string name = std::filesystem::path(device).filename().string();
    const std::string prefix = "parport";
    const std::string digits =
        name.compare(0, prefix.size(), prefix) == 0 ? name.substr(prefix.size()) : std::string();
    if (digits.empty() || digits.size() > 4 ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    return std::stoi(digits);
}
}  // namespace

PpdevPort::PpdevPort(const std::string& device, PpdevSystem& system)
    : m_device(device), m_system(system) {
    const ParportState kernel(system.Root());
    const int number = PortNumber(device);
    if (const int error = m_system.Open(device, m_fd)) {
        m_fd = -1;
        const std::string hint = kernel.OpenHint(number, error);
        Fail(TARNEL_TEXT("PpdevPort", "Cannot open the parallel port %1: %2."), error,
             error == EACCES || error == EPERM ? KernelFiles::PermissionHint(device, "lp", hint)
                                               : hint);
    }
    int error = m_system.Ioctl(m_fd, PPEXCL, nullptr);
    if (error == 0) {
        error = m_system.Ioctl(m_fd, PPCLAIM, nullptr);
    }
    if (error != 0) {
        m_system.Close(m_fd);
        m_fd = -1;
        Fail(TARNEL_TEXT("PpdevPort", "Cannot claim the parallel port %1: %2."), error,
             kernel.ClaimHint(number, error));
    }
}

PpdevPort::~PpdevPort() {
    // Nothing can be reported from here.
    m_system.Ioctl(m_fd, PPRELEASE, nullptr);
    m_system.Close(m_fd);
}

void PpdevPort::Fail(const LinkText& what, int error, const std::string& hint) const {
    throw PortError(what.Text(m_device, std::strerror(error)) + (hint.empty() ? "" : " " + hint));
}

void PpdevPort::Access(unsigned long request, unsigned char& byte, const LinkText& what) {
    const int error = m_system.Ioctl(m_fd, request, &byte);
    if (error == 0) {
        return;
    }
    const bool gone = error == ENODEV || error == ENXIO || error == EIO;
    Fail(what, error,
         gone ? TARNEL_TEXT("PpdevPort",
                            "The port went away during the operation: check that the adapter is "
                            "still plugged in and its driver loaded, then try again.")
                    .Text()
              : "");
}

void PpdevPort::OutData(uint8_t value) {
    unsigned char byte = value;
    Access(PPWDATA, byte, TARNEL_TEXT("PpdevPort", "Cannot write to the parallel port %1: %2."));
}

void PpdevPort::OutControl(uint8_t value) {
    unsigned char byte = value;
    Access(PPWCONTROL, byte, TARNEL_TEXT("PpdevPort", "Cannot write to the parallel port %1: %2."));
}

uint8_t PpdevPort::InStatus() {
    unsigned char byte = 0;
    Access(PPRSTATUS, byte, TARNEL_TEXT("PpdevPort", "Cannot read from the parallel port %1: %2."));
    return byte;
}
