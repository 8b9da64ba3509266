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

namespace {
constexpr unsigned kPortCount = 3;
constexpr uint16_t kStandardBases[] = {0x378, 0x278, 0x3BC};
// Control bit 5 turns the data lines into inputs on bidirectional ports.
constexpr uint8_t kControlDirection = 0x20;

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string PortRange(uint16_t base) {
    return Hex(base) + "-" + Hex(base + kPortCount - 1);
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

IoPort::IoPort(uint16_t base, IoSystem& system) : m_base(base), m_system(system) {
    CheckBase(base);
    if (!system.HasPortIo()) {
        throw PortError(TARNEL_TEXT("IoPort",
                                    "Cannot get access to I/O ports %1: this machine has no x86 "
                                    "port I/O. Use the ppdev port /dev/parport0.")
                            .Text(PortRange(base)));
    }
    // The permission first, which touches no port, for its hint; then the
    // claim, before the port is touched.
    if (const int error = system.Permit(base, kPortCount, true)) {
        throw PortError(TARNEL_TEXT("IoPort", "Cannot get access to I/O ports %1: %2. %3")
                            .Text(PortRange(base), std::strerror(error), AccessHint(error)));
    }
    try {
        m_claim = std::make_unique<IoBaseClaim>(base, system.LockDir());
    } catch (...) {
        system.Permit(base, kPortCount, false);
        throw;
    }
    if (!DataRegisterAnswers()) {
        system.Permit(base, kPortCount, false);
        throw PortError(TARNEL_TEXT("IoPort",
                                    "No parallel port answers at %1: its data register does not "
                                    "keep what is written to it. tarnel-cli list-ports lists the "
                                    "parallel ports the kernel found.")
                            .Text(Hex(base)));
    }
}

IoPort::~IoPort() {
    m_system.Permit(m_base, kPortCount, false);
}

bool IoPort::DataRegisterAnswers() {
    const uint8_t control = m_system.In(m_base + 2);
    if ((control & kControlDirection) != 0) {
        m_system.Out(m_base + 2, control & ~kControlDirection);
    }
    const uint8_t saved = m_system.In(m_base);
    bool answers = true;
    for (const uint8_t pattern : {0xAA, 0x55}) {
        m_system.Out(m_base, pattern);
        answers = answers && m_system.In(m_base) == pattern;
    }
    m_system.Out(m_base, saved);
    return answers;
}

void IoPort::OutData(uint8_t value) {
    m_system.Out(m_base, value);
}

void IoPort::OutControl(uint8_t value) {
    m_system.Out(m_base + 2, value);
}

uint8_t IoPort::InStatus() {
    return m_system.In(m_base + 1);
}
