// SPDX-License-Identifier: GPL-3.0-or-later
#include "IoPort.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "LinkText.h"
#include "ParportState.h"
#include "PortError.h"
#include "PortNameError.h"

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define TARNEL_HAS_PORT_IO 1
#else
#define TARNEL_HAS_PORT_IO 0
#endif

namespace {
constexpr unsigned kPortCount = 3;
constexpr uint16_t kStandardBases[] = {0x378, 0x278, 0x3BC};

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string PortRange(uint16_t base) {
    return Hex(base) + "-" + Hex(base + kPortCount - 1);
}

#if TARNEL_HAS_PORT_IO
// Control bit 5 turns the data lines into inputs on bidirectional ports.
constexpr uint8_t kControlDirection = 0x20;

// Whether the data register at `base` keeps what is written to it, as a
// parallel port's does; puts its value back afterwards.
bool DataRegisterAnswers(uint16_t base) {
    const uint8_t control = ::inb(base + 2);
    if ((control & kControlDirection) != 0) {
        ::outb(control & ~kControlDirection, base + 2);
    }
    const uint8_t saved = ::inb(base);
    bool answers = true;
    for (const uint8_t pattern : {0xAA, 0x55}) {
        ::outb(pattern, base);
        answers = answers && ::inb(base) == pattern;
    }
    ::outb(saved, base);
    return answers;
}

std::string AccessHint(int error) {
    if (error == EPERM || error == EACCES) {
        return TARNEL_TEXT("IoPort",
                           "Direct port I/O needs root or the CAP_SYS_RAWIO capability; a member "
                           "of group lp can use the ppdev port /dev/parport0 instead.")
            .Text();
    }
    return TARNEL_TEXT("IoPort",
                       "This kernel gives no direct port I/O (many virtual machines do not); use "
                       "the ppdev port /dev/parport0 instead (sudo modprobe parport_pc ppdev).")
        .Text();
}
#endif
}  // namespace

void IoPort::CheckBase(uint16_t base, const std::string& root) {
    const std::vector<uint16_t> kernelBases = ParportState(root).Bases();
    if (std::find(std::begin(kStandardBases), std::end(kStandardBases), base) !=
            std::end(kStandardBases) ||
        std::find(kernelBases.begin(), kernelBases.end(), base) != kernelBases.end()) {
        return;
    }
    throw PortNameError(TARNEL_TEXT("IoPort",
                                    "%1 is not the base address of a parallel port. io: takes "
                                    "0x378, 0x278, 0x3BC or a base the kernel lists for its "
                                    "parallel ports (tarnel-cli list-ports); other addresses "
                                    "belong to other hardware of the machine.")
                            .Text(Hex(base)));
}

IoPort::IoPort(uint16_t base) : m_base(base) {
    CheckBase(base);
#if TARNEL_HAS_PORT_IO
    // The permission first, which touches no port, for its hint; then the
    // claim, before the port is touched.
    if (::ioperm(base, kPortCount, 1) != 0) {
        const int error = errno;
        throw PortError(TARNEL_TEXT("IoPort", "Cannot get access to I/O ports %1: %2. %3")
                            .Text(PortRange(base), std::strerror(error), AccessHint(error)));
    }
    try {
        m_claim = std::make_unique<IoBaseClaim>(base);
    } catch (...) {
        ::ioperm(base, kPortCount, 0);
        throw;
    }
    if (!DataRegisterAnswers(base)) {
        ::ioperm(base, kPortCount, 0);
        throw PortError(TARNEL_TEXT("IoPort",
                                    "No parallel port answers at %1: its data register does not "
                                    "keep what is written to it. tarnel-cli list-ports lists the "
                                    "parallel ports the kernel found.")
                            .Text(Hex(base)));
    }
#else
    throw PortError(TARNEL_TEXT("IoPort",
                                "Cannot get access to I/O ports %1: this machine has no x86 port "
                                "I/O. Use the ppdev port /dev/parport0.")
                        .Text(PortRange(base)));
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
