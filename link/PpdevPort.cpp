#include "PpdevPort.h"

#include <fcntl.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "PortError.h"

namespace {
std::string HintFor(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return " Add your user to group lp (sudo usermod -aG lp $USER) and log in again.";
        case ENOENT:
        case ENODEV:
            return " This machine has no such parallel port, or its driver is not loaded "
                   "(sudo modprobe parport_pc ppdev).";
        case ENXIO:
        case EBUSY:
            return " Another driver, usually the lp printer driver, holds the port: unload it "
                   "with sudo modprobe -r lp.";
        case ENOTTY:
        case EINVAL:
            return " It is not a parallel-port device.";
        default:
            return "";
    }
}
}  // namespace

PpdevPort::PpdevPort(const std::string& device) : m_device(device) {
    m_fd = ::open(device.c_str(), O_RDWR | O_CLOEXEC);
    if (m_fd < 0) {
        Fail("Cannot open", errno);
    }
    if (::ioctl(m_fd, PPEXCL) != 0 || ::ioctl(m_fd, PPCLAIM) != 0) {
        const int error = errno;
        ::close(m_fd);
        m_fd = -1;
        Fail("Cannot claim", error);
    }
}

PpdevPort::~PpdevPort() {
    ::ioctl(m_fd, PPRELEASE);
    ::close(m_fd);
}

void PpdevPort::Fail(const std::string& step, int error) const {
    throw PortError(step + " the parallel port " + m_device + ": " + std::strerror(error) + "." +
                    HintFor(error));
}

void PpdevPort::OutData(uint8_t value) {
    unsigned char byte = value;
    if (::ioctl(m_fd, PPWDATA, &byte) != 0) {
        Fail("Cannot write to", errno);
    }
}

void PpdevPort::OutControl(uint8_t value) {
    unsigned char byte = value;
    if (::ioctl(m_fd, PPWCONTROL, &byte) != 0) {
        Fail("Cannot write to", errno);
    }
}

uint8_t PpdevPort::InStatus() {
    unsigned char byte = 0;
    if (::ioctl(m_fd, PPRSTATUS, &byte) != 0) {
        Fail("Cannot read from", errno);
    }
    return byte;
}
