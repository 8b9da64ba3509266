// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "LinkText.h"
#include "LptPort.h"
#include "PpdevSystem.h"

// A parallel port through the Linux kernel's user-space parallel-port driver
// (ppdev) on /dev/parportN. The constructor opens the device, asks for
// exclusive use and claims the port; the destructor releases it and closes the
// device. Claiming restores the control value the kernel saved for the port
// (for example 0x0C), so the lines start at some level the link did not choose;
// the first START of every operation brings both lines to a known level anyway,
// so nothing depends on it.
class PpdevPort : public LptPort {
public:
    // Throws PortError, naming the device, the system's reason and its cause
    // as far as the kernel tells it (the driver that holds the port, no port
    // behind the device, ppdev not loaded), when the port cannot be opened,
    // made exclusive or claimed. Nothing is written to the port before it is
    // claimed. `system` must outlive the port.
    explicit PpdevPort(const std::string& device, PpdevSystem& system = PpdevSystem::Kernel());
    ~PpdevPort() override;
    PpdevPort(const PpdevPort&) = delete;
    PpdevPort& operator=(const PpdevPort&) = delete;

protected:
    // Each access is one ioctl; a failing one throws PortError.
    void OutData(uint8_t value) override;
    void OutControl(uint8_t value) override;
    uint8_t InStatus() override;

private:
    // One register access; throws PortError when it fails.
    void Access(unsigned long request, unsigned char& byte, const LinkText& what);
    // Throws PortError: `what` filled with the device and the system's
    // reason, then `hint`.
    [[noreturn]] void Fail(const LinkText& what, int error, const std::string& hint) const;

    std::string m_device;
    PpdevSystem& m_system;
    int m_fd = -1;
};
