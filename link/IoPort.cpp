#include "IoPort.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "PortError.h"

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define TARNEL_HAS_PORT_IO 1
#else
#define TARNEL_HAS_PORT_IO 0
#endif

namespace {
constexpr unsigned kPortCount = 3;

std::string PortRange(uint16_t base) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%X-0x%X", base, base + kPortCount - 1);
    return text;
}
}  // namespace

IoPort::IoPort(uint16_t base) : m_base(base) {
#if TARNEL_HAS_PORT_IO
    if (::ioperm(base, kPortCount, 1) != 0) {
        const int error = errno;
        std::string hint;
        if (error == EPERM || error == EACCES) {
            hint =
                " Direct port I/O needs root or the CAP_SYS_RAWIO capability; a member of "
                "group lp can use the ppdev port /dev/parport0 instead.";
        }
        throw PortError("Cannot get access to I/O ports " + PortRange(base) + ": " +
                        std::strerror(error) + "." + hint);
    }
#else
    throw PortError("Cannot get access to I/O ports " + PortRange(base) +
                    ": this machine has no x86 port I/O. Use the ppdev port /dev/parport0.");
#endif
}

#if TARNEL_HAS_PORT_IO
IoPort::~IoPort() {
    ::ioperm(m_base, kPortCount, 0);
}

void IoPort::OutData(uint8_t value) {
    ::outb(value, m_base);
}

void IoPort::OutControl(uint8_t value) {
    ::outb(value, m_base + 2);
}

uint8_t IoPort::InStatus() {
    return ::inb(m_base + 1);
}
#else
IoPort::~IoPort() = default;

void IoPort::OutData(uint8_t) {}

void IoPort::OutControl(uint8_t) {}

uint8_t IoPort::InStatus() {
    return 0;
}
#endif
