// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "LptPort.h"

// One port access as a recording port saw it, with the bus lines after it.
struct PortEvent {
    enum class Kind { Data, Control, Status, Delay };
    Kind kind;
    uint8_t value;  // written value, or status read
    bool scl;       // SCL after the access
    bool sda;       // SDA level after the access
};

// A port that records every access. Over an inner port (a SimPort, say) it
// forwards each access and takes the SDA level from the inner port's status;
// alone, its status reads come from a script, then from a fixed value, and SDA
// is what the master drives.
class RecordingPort : public LptPort {
public:
    explicit RecordingPort(LptPort* inner = nullptr) : m_inner(inner) {}
    // Over an inner port it owns, appending to `log`, which outlives it (for
    // ports that a factory opens and drops for each command).
    RecordingPort(std::unique_ptr<LptPort> inner, std::vector<PortEvent>& log)
        : m_owned(std::move(inner)), m_inner(m_owned.get()), m_log(&log) {}

    void Delay() override;

    // Status value read when no inner port and no scripted value remain.
    void SetStatus(uint8_t value) { m_status = value; }
    // Status values read one by one before the fixed value.
    void ScriptStatus(std::initializer_list<uint8_t> values);

    const std::vector<PortEvent>& Events() const { return *m_log; }
    void Clear() { m_log->clear(); }
    int Count(PortEvent::Kind kind) const;
    int Writes() const { return Count(PortEvent::Kind::Data) + Count(PortEvent::Kind::Control); }
    // The writes as "D80 C04 D00 ...", for comparing short exact sequences.
    std::string WriteList() const;
    // The last value written to the data and to the control register.
    uint8_t LastData() const;
    uint8_t LastControl() const;

protected:
    void OutData(uint8_t value) override;
    void OutControl(uint8_t value) override;
    uint8_t InStatus() override;

private:
    uint8_t Status();
    void Record(PortEvent::Kind kind, uint8_t value);

    std::unique_ptr<LptPort> m_owned;
    LptPort* m_inner;
    std::deque<uint8_t> m_script;
    uint8_t m_status = 0x40;
    bool m_scl = true;
    bool m_sdaDrive = true;
    std::vector<PortEvent> m_events;
    std::vector<PortEvent>* m_log = &m_events;
};
