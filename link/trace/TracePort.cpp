// SPDX-License-Identifier: GPL-3.0-or-later
#include "TracePort.h"

#include "AdapterWiring.h"

using AdapterWiring::kScl;
using AdapterWiring::kSdaSense;

TracePort::TracePort(LptPort& inner, VcdWriter& writer) : m_inner(inner), m_writer(writer) {
    m_writer.Gap();
}

TracePort::TracePort(std::unique_ptr<LptPort> inner, VcdWriter& writer)
    : TracePort(*inner, writer) {
    m_owned = std::move(inner);
}

TracePort::~TracePort() {
    m_writer.Flush();
}

void TracePort::OutData(uint8_t value) {
    m_inner.WriteData(value);
    RecordLines();
}

void TracePort::OutControl(uint8_t value) {
    m_inner.WriteControl(value);
    m_scl = (value & kScl) != 0;
    RecordLines();
}

uint8_t TracePort::InStatus() {
    return m_inner.ReadStatus();
}

void TracePort::RecordLines() {
    m_writer.Record(m_scl, (m_inner.ReadStatus() & kSdaSense) != 0);
}
