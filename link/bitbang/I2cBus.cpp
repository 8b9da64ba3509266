// SPDX-License-Identifier: GPL-3.0-or-later
#include "I2cBus.h"

#include "AdapterWiring.h"

namespace {
constexpr uint8_t kSdaReleased = AdapterWiring::kSdaDrive;
constexpr uint8_t kSdaLow = 0x00;
constexpr uint8_t kSclHigh = AdapterWiring::kScl;
constexpr uint8_t kSclLow = 0x00;
using AdapterWiring::kSdaSense;
}  // namespace

void I2cBus::RaiseBoth() {
    m_port.WriteData(kSdaReleased);
    m_port.WriteControl(kSclHigh);
}

void I2cBus::FallWhileClockHigh() {
    m_port.WriteData(kSdaLow);  // SDA falls while SCL is high: START
    m_port.WriteControl(kSclLow);
}

bool I2cBus::SdaHigh() {
    return (m_port.ReadStatus() & kSdaSense) != 0;
}

void I2cBus::Start() {
    RaiseBoth();
    FallWhileClockHigh();
}

void I2cBus::RepeatedStart() {
    m_port.WriteControl(kSclHigh);
    Start();
}

void I2cBus::SendBit(uint8_t dataValue) {
    m_port.WriteData(dataValue);
    m_port.WriteControl(kSclHigh);
    m_port.WriteControl(kSclLow);
}

void I2cBus::SendAddress(uint8_t address) {
    for (int bit = 7; bit >= 0; --bit) {
        SendBit(((address >> bit) & 1) != 0 ? kSdaReleased : kSdaLow);
    }
}

void I2cBus::SendByte(uint8_t byte) {
    for (int k = 0; k < 8; ++k) {
        SendBit(static_cast<uint8_t>(byte << k));
    }
}

void I2cBus::AckClock() {
    SendBit(kSdaReleased);
}

bool I2cBus::ReadAck() {
    m_port.WriteData(kSdaReleased);
    m_port.WriteControl(kSclHigh);
    return !SdaHigh();
}

bool I2cBus::AckClockSampled() {
    const bool acknowledged = ReadAck();
    SclLow();
    return acknowledged;
}

void I2cBus::SclLow() {
    m_port.WriteControl(kSclLow);
}

int I2cBus::ReceiveBit() {
    m_port.WriteControl(kSclHigh);
    const int bit = SdaHigh() ? 1 : 0;
    m_port.WriteControl(kSclLow);
    return bit;
}

uint8_t I2cBus::ReceiveByte() {
    m_port.WriteControl(kSclLow);
    uint8_t byte = 0;
    for (int i = 0; i < 8; ++i) {
        byte = static_cast<uint8_t>((byte << 1) | ReceiveBit());
    }
    return byte;
}

void I2cBus::MasterAck() {
    m_port.WriteData(kSdaLow);
    m_port.WriteControl(kSclLow);
    m_port.WriteControl(kSclHigh);
    m_port.WriteControl(kSclLow);
    m_port.WriteData(kSdaReleased);
}

void I2cBus::Stop() {
    m_port.WriteData(kSdaLow);
    m_port.WriteControl(kSclHigh);
    m_port.WriteData(kSdaReleased);  // SDA rises while SCL is high: STOP
    m_port.WriteControl(kSclLow);
    m_port.WriteData(kSdaLow);
}

void I2cBus::Release() {
    RaiseBoth();
}

void I2cBus::SetSda(bool released) {
    m_port.WriteData(released ? kSdaReleased : kSdaLow);
}

bool I2cBus::StartFreeingBus() {
    RaiseBoth();
    bool free = SdaHigh();
    for (int clock = 0; !free && clock < kFreeingClocks; ++clock) {
        m_port.WriteControl(kSclLow);
        m_port.WriteControl(kSclHigh);
        free = SdaHigh();
    }
    if (free) {
        FallWhileClockHigh();
    }
    return free;
}
