#pragma once

#include <cstdint>
#include <string>

#include "LptPort.h"

// A parallel port through the Linux kernel's user-space parallel-port driver
// (ppdev) on /dev/parportN. The constructor opens the device, asks for
// exclusive use and claims the port; the destructor releases it and closes the
// device. Claiming restores the control value the kernel saved for the port
// (for example 0x0C), so the lines start at some level the link did not choose;
// the first START of every operation brings both lines to a known level anyway,
// so nothing depends on it.
class PpdevPort : public LptPort {
public:
    // Throws PortError, naming the device, the system's reason and a hint,
    // when the port cannot be opened, made exclusive or claimed. Nothing is
    // written to the port before it is claimed.
    explicit PpdevPort(const std::string& device);
    ~PpdevPort() override;
    PpdevPort(const PpdevPort&) = delete;
    PpdevPort& operator=(const PpdevPort&) = delete;

protected:
    // Each access is one ioctl; a failing one throws PortError.
    void OutData(uint8_t value) override;
    void OutControl(uint8_t value) override;
    uint8_t InStatus() override;

private:
    [[noreturn]] void Fail(const std::string& step, int error) const;

    std::string m_device;
    int m_fd = -1;
};
