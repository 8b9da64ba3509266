// SPDX-License-Identifier: GPL-3.0-or-later
#include "EepromModel.h"

#include <fstream>

EepromModel::EepromModel(std::string modeFile) : m_modeFile(std::move(modeFile)) {
    for (int i = 0; i < kSize; ++i) {
        m_memory[i] = static_cast<uint8_t>(i);
    }
}

bool EepromModel::Busy() const {
    return (m_mode == Mode::EndlessCycle && m_everWritten) ||
           std::chrono::steady_clock::now() < m_busyUntil;
}

void EepromModel::Start() {
    std::ifstream file(m_modeFile);
    std::string word;
    file >> word;
    const Mode mode = word == "write-protected" ? Mode::WriteProtected
                      : word == "absent"        ? Mode::Absent
                      : word == "endless-cycle" ? Mode::EndlessCycle
                                                : Mode::Normal;
    // An endless write cycle begins with the first write after the switch.
    if (mode != m_mode) {
        m_everWritten = false;
    }
    m_mode = mode;
    // A repeated START after the word address turns a write into a read:
    // nothing of it is written.
    m_pendingBytes = 0;
    m_written.fill(false);
    m_state = State::Idle;
}

void EepromModel::Stop() {
    // A protected chip runs no write cycle: it keeps nothing.
    if (m_state == State::Receiving && m_pendingBytes > 0 && m_mode != Mode::WriteProtected) {
        for (int i = 0; i < kSize; ++i) {
            if (m_written[i]) {
                m_memory[i] = m_pending[i];
            }
        }
        ++m_committedWrites;
        m_everWritten = true;
        m_busyUntil = std::chrono::steady_clock::now() + kWriteCycle;
    }
    m_pendingBytes = 0;
    m_written.fill(false);
    m_state = State::Idle;
}

bool EepromModel::Write(uint8_t byte) {
    if (m_mode == Mode::Absent) {
        return false;
    }
    switch (m_state) {
        case State::Idle:
            if ((byte >> 1) != kAddress || Busy()) {
                m_state = State::Ignoring;
                return false;
            }
            m_state = (byte & 1) != 0 ? State::Sending : State::WordAddress;
            return true;
        case State::WordAddress:
            m_pointer = byte & (kSize - 1);
            m_state = State::Receiving;
            return true;
        case State::Receiving: {
            m_pending[m_pointer] = byte;
            m_written[m_pointer] = true;
            ++m_pendingBytes;
            const uint8_t page = m_pointer & ~(kPageSize - 1);
            m_pointer = page | ((m_pointer + 1) & (kPageSize - 1));
            return true;
        }
        case State::Sending:
        case State::Ignoring:
            return false;
    }
    return false;
}

uint8_t EepromModel::Read(bool masterAcknowledges) {
    if (m_state != State::Sending) {
        return 0xFF;
    }
    const uint8_t byte = m_memory[m_pointer];
    m_pointer = (m_pointer + 1) & (kSize - 1);
    if (!masterAcknowledges) {
        m_state = State::Ignoring;
    }
    return byte;
}
