// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimEeprom.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "LinkText.h"

namespace {
constexpr uint8_t kDeviceAddressMask = 0xFE;
constexpr uint8_t kDeviceAddress = 0xA0;
}  // namespace

SimEeprom::SimEeprom(const MonotonicClock& clock) : m_clock(clock), m_memory(Pattern()) {}

EepromImage SimEeprom::Pattern() {
    EepromImage pattern{};
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        pattern[i] = static_cast<uint8_t>(0xA5 ^ i);
    }
    return pattern;
}

bool SimEeprom::SdaLevel() const {
    return m_masterSda && !m_deviceLow && !m_faults.sdaHeldLow;
}

void SimEeprom::Drive(bool sclHigh, bool masterSdaReleased) {
    const bool oldScl = m_scl;
    const bool oldSda = SdaLevel();
    m_scl = sclHigh;
    m_masterSda = masterSdaReleased;
    const bool sda = SdaLevel();
    if (oldScl && m_scl && oldSda != sda) {
        if (sda) {
            OnStop();
        } else {
            OnStart();
        }
    } else if (!oldScl && m_scl) {
        OnClockRise(sda);
    } else if (oldScl && !m_scl) {
        OnClockFall();
    }
}

void SimEeprom::OnStart() {
    // A START also abandons a write whose STOP never came.
    m_pending.clear();
    m_deviceLow = false;
    if (m_faults.absent) {
        m_phase = Phase::Idle;
        return;
    }
    m_phase = Phase::Receive;
    m_expect = Expect::DeviceAddress;
    m_bits = 0;
    m_shift = 0;
}

void SimEeprom::OnStop() {
    m_deviceLow = false;
    m_phase = Phase::Idle;
    if (m_pending.empty()) {
        return;
    }
    for (const auto& [address, value] : m_pending) {
        m_memory[address] = value;
    }
    m_committedBytes += static_cast<int>(m_pending.size());
    m_pending.clear();
    m_busy = true;
    m_attemptsLeft = m_cycleAttempts;
    m_busyUntil = m_clock.Now() + m_cycleDuration;
    if (m_commitListener) {
        m_commitListener(m_memory);
    }
}

void SimEeprom::OnClockRise(bool sda) {
    if (m_phase == Phase::Receive && m_bits < 8) {
        m_shift = static_cast<uint8_t>((m_shift << 1) | (sda ? 1 : 0));
        ++m_bits;
    } else if (m_phase == Phase::TransmitAck) {
        m_masterAcknowledged = !sda;
    }
}

void SimEeprom::OnClockFall() {
    switch (m_phase) {
        case Phase::Idle:
            break;
        case Phase::Receive:
            if (m_bits == 8) {
                m_acknowledge = TakeByte(m_shift);
                m_deviceLow = m_acknowledge;
                m_phase = Phase::ReceiveAck;
            }
            break;
        case Phase::ReceiveAck:  // end of the ninth clock
            m_deviceLow = false;
            if (!m_acknowledge) {
                m_phase = Phase::Idle;
            } else if (m_reading) {
                m_phase = Phase::Transmit;
                LoadNextByte();
            } else {
                m_phase = Phase::Receive;
                m_bits = 0;
                m_shift = 0;
            }
            break;
        case Phase::Transmit:
            ++m_bits;
            if (m_bits == 8) {
                m_deviceLow = false;
                m_phase = Phase::TransmitAck;
            } else {
                m_deviceLow = ((m_out >> (7 - m_bits)) & 1) == 0;
            }
            break;
        case Phase::TransmitAck:
            if (m_masterAcknowledged) {
                m_phase = Phase::Transmit;
                LoadNextByte();
            } else {
                m_phase = Phase::Idle;
            }
            break;
    }
}

void SimEeprom::LoadNextByte() {
    m_out = m_memory[m_pointer];
    m_pointer = static_cast<uint8_t>((m_pointer + 1) % kEepromSize);
    m_bits = 0;
    m_deviceLow = (m_out & 0x80) == 0;
}

bool SimEeprom::TakeByte(uint8_t byte) {
    switch (m_expect) {
        case Expect::DeviceAddress:
            if ((byte & kDeviceAddressMask) != kDeviceAddress) {
                return false;
            }
            if (Busy()) {
                ++m_busyRefusals;
                return false;
            }
            m_reading = (byte & 1) != 0;
            m_expect = Expect::WordAddress;
            return true;
        case Expect::WordAddress:
            m_pointer = static_cast<uint8_t>(byte % kEepromSize);
            m_expect = Expect::Data;
            return true;
        case Expect::Data:
            if (m_faults.dataNotAcknowledged) {
                return false;
            }
            if (m_faults.writeProtected) {
                return true;  // as a chip with its write-protect pin high
            }
            m_pending.emplace_back(m_pointer, byte);
            m_pointer =
                static_cast<uint8_t>((m_pointer & ~m_pageMask) | ((m_pointer + 1) & m_pageMask));
            return true;
    }
    return false;
}

bool SimEeprom::Busy() {
    if (!m_busy) {
        return false;
    }
    if (m_faults.endlessWriteCycle) {
        return true;
    }
    if (m_timedCycle) {
        m_busy = m_clock.Now() < m_busyUntil;
    } else if (m_attemptsLeft > 0) {
        --m_attemptsLeft;
    } else {
        m_busy = false;
    }
    return m_busy;
}

bool SimEeprom::IsPageSize(int bytes) {
    return bytes > 0 && bytes <= static_cast<int>(kEepromSize) && (bytes & (bytes - 1)) == 0;
}

void SimEeprom::SetPageSize(int bytes) {
    if (!IsPageSize(bytes)) {
        throw std::invalid_argument(
            TARNEL_TEXT("SimEeprom", "A page holds a power of two of bytes up to 128, not %1.")
                .Text(bytes));
    }
    m_pageMask = static_cast<uint8_t>(bytes - 1);
}

void SimEeprom::SetWriteCycle(int attempts) {
    m_timedCycle = false;
    m_cycleAttempts = attempts;
}

void SimEeprom::SetWriteCycle(std::chrono::nanoseconds duration) {
    m_timedCycle = true;
    m_cycleDuration = duration;
}

void SimEeprom::SetCommitListener(CommitListener listener) {
    m_commitListener = std::move(listener);
}

namespace {
std::optional<SimUsbFaults::Kind> UsbFaultKind(const std::string& name) {
    using Kind = SimUsbFaults::Kind;
    if (name == "unplugged") {
        return Kind::Unplugged;
    }
    if (name == "failed-then-gone") {
        return Kind::FailedThenGone;
    }
    if (name == "silent") {
        return Kind::Silent;
    }
    if (name == "silent-then-gone") {
        return Kind::SilentThenGone;
    }
    return std::nullopt;
}

// The count of transfers in `name` from `begin` on: decimal digits.
int TransferCount(const std::string& name, std::size_t begin) {
    const std::string digits = name.substr(begin);
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
        throw std::invalid_argument(
            TARNEL_TEXT("SimEeprom", "\"%1\": the count of transfers after the colon is no number.")
                .Text(name));
    }
    return std::stoi(digits);
}
}  // namespace

SimEeprom::Faults SimEeprom::ParseFaults(const std::string& names) {
    Faults faults;
    std::size_t begin = 0;
    while (begin <= names.size()) {
        const std::size_t comma = std::min(names.find(',', begin), names.size());
        // Blanks around a name are no part of it ("absent, busy").
        std::string name = names.substr(begin, comma - begin);
        name.erase(0, name.find_first_not_of(" \t"));
        name.erase(name.find_last_not_of(" \t") + 1);
        // A USB fault may name the transfers carried out before it begins:
        // "unplugged:40".
        const std::size_t colon = name.find(':');
        const std::string base = name.substr(0, colon);
        if (const auto usb = UsbFaultKind(base); usb.has_value()) {
            faults.usb = {colon == std::string::npos ? 0 : TransferCount(name, colon + 1), *usb};
        } else if (colon != std::string::npos) {
            throw std::invalid_argument(
                TARNEL_TEXT("SimEeprom", "The simulator fault \"%1\" takes no count of transfers.")
                    .Text(base));
        } else if (name == "absent") {
            faults.absent = true;
        } else if (name == "write-protected") {
            faults.writeProtected = true;
        } else if (name == "sda-low") {
            faults.sdaHeldLow = true;
        } else if (name == "busy") {
            faults.endlessWriteCycle = true;
        } else if (name == "nak-data") {
            faults.dataNotAcknowledged = true;
        } else if (!name.empty()) {
            throw std::invalid_argument(
                TARNEL_TEXT("SimEeprom",
                            "Unknown simulator fault \"%1\". Known faults: absent, "
                            "write-protected, sda-low, busy, nak-data, and for ch341:sim "
                            "unplugged, failed-then-gone, silent, silent-then-gone (each "
                            "optionally :N, after N USB transfers).")
                    .Text(name));
        }
        begin = comma + 1;
    }
    return faults;
}
