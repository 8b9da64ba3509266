// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingPort.h"

#include <algorithm>
#include <cstdio>

#include "AdapterWiring.h"

void RecordingPort::Delay() {
    Record(PortEvent::Kind::Delay, 0);
}

void RecordingPort::ScriptStatus(std::initializer_list<uint8_t> values) {
    m_script.insert(m_script.end(), values.begin(), values.end());
}

int RecordingPort::Count(PortEvent::Kind kind) const {
    return static_cast<int>(std::count_if(m_log->begin(), m_log->end(),
                                          [kind](const PortEvent& e) { return e.kind == kind; }));
}

std::string RecordingPort::WriteList() const {
    std::string list;
    for (const PortEvent& e : *m_log) {
        if (e.kind != PortEvent::Kind::Data && e.kind != PortEvent::Kind::Control) {
            continue;
        }
        char item[8];
        std::snprintf(item, sizeof item, "%s%c%02X", list.empty() ? "" : " ",
                      e.kind == PortEvent::Kind::Data ? 'D' : 'C', e.value);
        list += item;
    }
    return list;
}

uint8_t RecordingPort::LastData() const {
    auto it = std::find_if(m_log->rbegin(), m_log->rend(),
                           [](const PortEvent& e) { return e.kind == PortEvent::Kind::Data; });
    return it == m_log->rend() ? 0xFF : it->value;
}

uint8_t RecordingPort::LastControl() const {
    auto it = std::find_if(m_log->rbegin(), m_log->rend(),
                           [](const PortEvent& e) { return e.kind == PortEvent::Kind::Control; });
    return it == m_log->rend() ? 0xFF : it->value;
}

void RecordingPort::OutData(uint8_t value) {
    m_sdaDrive = (value & AdapterWiring::kSdaDrive) != 0;
    if (m_inner != nullptr) {
        m_inner->WriteData(value);
    }
    Record(PortEvent::Kind::Data, value);
}

void RecordingPort::OutControl(uint8_t value) {
    m_scl = (value & AdapterWiring::kScl) != 0;
    if (m_inner != nullptr) {
        m_inner->WriteControl(value);
    }
    Record(PortEvent::Kind::Control, value);
}

uint8_t RecordingPort::InStatus() {
    const uint8_t value = Status();
    Record(PortEvent::Kind::Status, value);
    return value;
}

uint8_t RecordingPort::Status() {
    if (m_inner != nullptr) {
        return m_inner->ReadStatus();
    }
    if (!m_script.empty()) {
        const uint8_t value = m_script.front();
        m_script.pop_front();
        return value;
    }
    return m_status;
}

void RecordingPort::Record(PortEvent::Kind kind, uint8_t value) {
    // Over a device the bus level is what the inner port senses; alone it is
    // what the master drives.
    const bool sda = m_inner != nullptr ? (m_inner->ReadStatus() & AdapterWiring::kSdaSense) != 0 : m_sdaDrive;
    m_log->push_back({kind, value, m_scl, sda});
}
