// SPDX-License-Identifier: GPL-3.0-or-later
#include "EepromLink.h"

#include <cstdio>

#include "LinkText.h"
#include "LptProbe.h"
#include "PortError.h"

namespace {
constexpr uint8_t kWriteAddress = 0xA0;
constexpr uint8_t kReadAddress = 0xA1;
constexpr int kLastRegister = static_cast<int>(kEepromSize) - 1;

std::string SdaHeldLow() {
    return TARNEL_TEXT("EepromLink",
                       "the data line (SDA) is held low and could not be freed; check the adapter "
                       "and the cable")
        .Text();
}
std::string NoAnswer() {
    return TARNEL_TEXT("EepromLink",
                       "the EEPROM did not acknowledge its address 0xA0 %1; check that the adapter "
                       "is plugged in, the cable is connected and the switch is powered")
        .Text(DeviceLink::WithinBound());
}
}  // namespace

EepromLink::EepromLink(LptPort& port, const MonotonicClock& clock) : m_bus(port), m_clock(clock) {}

std::optional<std::string> EepromLink::AddressDevice(bool firstOfOperation) {
    bool freeingStart = firstOfOperation;
    bool heldLow = false;
    // Busy with a write cycle, or absent: each further poll is a START
    // straight from the high clock of the refused ninth bit, with no STOP in
    // between; SCL stays high during the pause.
    const bool answered = PollUntilAcknowledged(m_clock, [&] {
        if (freeingStart) {
            freeingStart = false;
            if (!m_bus.StartFreeingBus()) {
                heldLow = true;
                return true;
            }
        } else {
            m_bus.Start();
        }
        m_bus.SendAddress(kWriteAddress);
        return m_bus.ReadAck();
    });
    if (heldLow) {
        return SdaHeldLow();
    }
    if (!answered) {
        return NoAnswer();
    }
    m_bus.SclLow();
    return std::nullopt;
}

LinkResult EepromLink::ReadAll(EepromImage& dest) {
    EepromImage received{};
    int reg = 0;
    try {
        LinkResult result = ReadInto(received, reg);
        if (result) {
            dest = received;
        }
        return result;
    } catch (const PortError& error) {
        return LinkResult::ReadFailure(reg, error.what());
    }
}

LinkResult EepromLink::ReadInto(EepromImage& dest, int& reg) {
    if (auto reason = AddressDevice(true)) {
        return Abandon(Direction::Read, 0, *reason);
    }
    m_bus.SendByte(0x00);
    m_bus.AckClock();
    m_bus.RepeatedStart();
    m_bus.SendAddress(kReadAddress);
    if (!m_bus.AckClockSampled()) {
        return Abandon(
            Direction::Read, 0,
            TARNEL_TEXT("EepromLink", "the EEPROM acknowledged 0xA0 but not its read address 0xA1")
                .Text());
    }
    for (reg = 0; reg <= kLastRegister; ++reg) {
        dest[reg] = m_bus.ReceiveByte();
        if (reg < kLastRegister) {
            m_bus.MasterAck();
        } else {
            m_bus.AckClock();  // no acknowledge: ends the sequential read
        }
    }
    m_bus.Stop();
    m_bus.Release();
    return LinkResult::Success();
}

LinkResult EepromLink::WriteAll(const EepromImage& image, const Progress& progress, int pageSize) {
    if (!IsPageSize(pageSize)) {
        return LinkResult::WriteFailure(0, UnknownPageSize(pageSize));
    }
    int reg = 0;
    try {
        for (int first = 0; first <= kLastRegister; first += pageSize) {
            LinkResult result = WritePage(image, first, pageSize, first == 0, reg);
            if (!result) {
                return result;
            }
            if (progress) {
                progress(first + pageSize);
            }
        }
        m_bus.Release();
        return LinkResult::Success();
    } catch (const PortError& error) {
        return LinkResult::WriteFailure(reg, error.what());
    }
}

bool EepromLink::Ping() {
    const bool acknowledged = !AddressDevice(true);
    if (!acknowledged) {
        m_bus.SclLow();  // end the refused ninth clock before the STOP
    }
    m_bus.Stop();
    m_bus.Release();
    return acknowledged;
}

void EepromLink::Probe(ProbeReport& report) {
    LptProbe(m_bus, [this] { return Ping(); }).Run(report);
}

LinkResult EepromLink::WritePage(const EepromImage& image, int first, int count,
                                 bool firstOfOperation, int& reg) {
    reg = first;
    if (auto reason = AddressDevice(firstOfOperation)) {
        return Abandon(Direction::Write, reg, *reason);
    }
    m_bus.SendByte(static_cast<uint8_t>(first));
    if (!m_bus.AckClockSampled()) {
        return Abandon(
            Direction::Write, reg,
            TARNEL_TEXT("EepromLink", "the EEPROM did not acknowledge the word address").Text());
    }
    // The STOP of a failed page keeps the bytes acknowledged before, so the
    // failure names the register whose byte was refused.
    for (; reg < first + count; ++reg) {
        m_bus.SendByte(image[reg]);
        if (!m_bus.AckClockSampled()) {
            return Abandon(Direction::Write, reg, DataByteNotAcknowledged(image[reg]));
        }
    }
    m_bus.Stop();  // the EEPROM starts its write cycle here
    return LinkResult::Success();
}

LinkResult EepromLink::Abandon(Direction direction, int reg, const std::string& reason) {
    m_bus.SclLow();
    m_bus.Stop();
    m_bus.Release();
    return direction == Direction::Read ? LinkResult::ReadFailure(reg, reason)
                                        : LinkResult::WriteFailure(reg, reason);
}
