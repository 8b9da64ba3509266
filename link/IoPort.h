#pragma once

#include <cstdint>

#include "LptPort.h"

// A parallel port by direct port I/O at `base` (data), base + 1 (status) and
// base + 2 (control), through ioperm on x86 Linux. The constructor asks the
// kernel for access to the three ports, which needs root or CAP_SYS_RAWIO;
// the destructor gives it back.
class IoPort : public LptPort {
public:
    // Throws PortError, naming the ports and the system's reason, when access
    // is refused or the machine has no port I/O. Nothing is written before
    // access is granted.
    explicit IoPort(uint16_t base);
    ~IoPort() override;
    IoPort(const IoPort&) = delete;
    IoPort& operator=(const IoPort&) = delete;

protected:
    void OutData(uint8_t value) override;
    void OutControl(uint8_t value) override;
    uint8_t InStatus() override;

private:
    uint16_t m_base;
};
