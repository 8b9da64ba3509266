// SPDX-License-Identifier: GPL-3.0-or-later
#include "IoSystem.h"

#include <cerrno>

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define TARNEL_HAS_PORT_IO 1
#else
#define TARNEL_HAS_PORT_IO 0
#endif

IoSystem& IoSystem::Kernel() {
    static IoSystem kernel;
    return kernel;
}

bool IoSystem::HasPortIo() const {
    return TARNEL_HAS_PORT_IO != 0;
}

#if TARNEL_HAS_PORT_IO
int IoSystem::Permit(uint16_t base, unsigned count, bool on) {
    return ::ioperm(base, count, on ? 1 : 0) != 0 ? errno : 0;
}

uint8_t IoSystem::In(uint16_t port) {
    return ::inb(port);
}

void IoSystem::Out(uint16_t port, uint8_t value) {
    ::outb(value, port);
}
#else
int IoSystem::Permit(uint16_t, unsigned, bool) {
    return ENOSYS;
}

uint8_t IoSystem::In(uint16_t) {
    return 0;
}

void IoSystem::Out(uint16_t, uint8_t) {}
#endif
