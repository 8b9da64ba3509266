// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>

#include "LptPort.h"
#include "VcdWriter.h"

// Wraps any port and records the bus lines into a VcdWriter: after every write
// it reads the inner port's status once, so SDA is traced as sensed on status
// bit 6 (whoever drives it) and SCL as last written to control bit 2. The
// inner port's own Delay() follows each write as usual.
class TracePort : public LptPort {
public:
    TracePort(LptPort& inner, VcdWriter& writer);
    // As above, and the trace port owns the inner port.
    TracePort(std::unique_ptr<LptPort> inner, VcdWriter& writer);
    ~TracePort() override;

protected:
    void OutData(uint8_t value) override;
    void OutControl(uint8_t value) override;
    uint8_t InStatus() override;

private:
    void RecordLines();

    std::unique_ptr<LptPort> m_owned;
    LptPort& m_inner;
    VcdWriter& m_writer;
    // SCL as last written; an operation meets the idle bus with SCL high.
    bool m_scl = true;
};
