// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "LptPort.h"

// Bit-banged I2C master primitives on an LptPort. Each primitive is a fixed
// list of absolute register writes: data 0x80 releases SDA, data 0x00 pulls it
// low, control 0x04 raises SCL and control 0x00 lowers it; SDA is sensed on
// status bit 6. The bus keeps no state and no shadow copy of the registers.
// "Lines on return" below are (SDA, SCL).
class I2cBus {
public:
    // Clocks that free a device stuck mid-byte: at most its remaining data
    // bits and the acknowledge slot.
    static constexpr int kFreeingClocks = 9;

    explicit I2cBus(LptPort& port) : m_port(port) {}

    // START from any line state: data 0x80, control 0x04, data 0x00 (START
    // condition), control 0x00. Lines on return: low, low.
    void Start();
    // Repeated START; expects SCL low with SDA released: control 0x04, then
    // Start(). Lines on return: low, low.
    void RepeatedStart();
    // One bit; expects SCL low: data `dataValue` (SDA = its bit 7), control
    // 0x04 (the device samples), control 0x00. Lines on return: bit 7, low.
    void SendBit(uint8_t dataValue);
    // A device-address byte in level form, MSB first: SendBit(0x80) for a 1
    // bit, SendBit(0x00) for a 0 bit (24 writes). Expects SCL low.
    void SendAddress(uint8_t address);
    // A word address or data byte in shifted form: SendBit(byte << k) for
    // k = 0..7, so data bits 0..6 carry the bits below the one on SDA
    // (24 writes). Expects SCL low.
    void SendByte(uint8_t byte);
    // Ninth clock with SDA released, acknowledge not sampled: data 0x80,
    // control 0x04, control 0x00. Lines on return: released, low.
    void AckClock();
    // Ninth clock with the acknowledge sampled: data 0x80, control 0x04, read
    // status. True when the device pulls SDA low (status bit 6 clear).
    // Lines on return: released, HIGH; follow with SclLow() or Start().
    bool ReadAck();
    // Ninth clock with the acknowledge sampled while SCL is high: the writes
    // of AckClock() with one status read between control 0x04 and 0x00.
    // True when acknowledged. Lines on return: released, low.
    bool AckClockSampled();
    // control 0x00: ends the ninth clock that ReadAck() left high.
    void SclLow();
    // One bit from the device; expects SCL low with SDA released: control
    // 0x04, read status, control 0x00. Returns status bit 6 (0 or 1).
    int ReceiveBit();
    // Eight bits from the device, MSB first; expects SCL low with SDA
    // released: control 0x00 (no edge), then ReceiveBit() eight times
    // (17 writes, 8 reads). Returns the plain line levels.
    uint8_t ReceiveByte();
    // Master acknowledge on the ninth clock: data 0x00, control 0x00,
    // control 0x04, control 0x00, data 0x80. Lines on return: released, low.
    void MasterAck();
    // STOP; expects SCL low: data 0x00, control 0x04, data 0x80 (STOP
    // condition), control 0x00, data 0x00. Lines on return: low, low.
    void Stop();
    // Idle bus: data 0x80, control 0x04. Lines on return: released, high.
    void Release();
    // Data 0x80 (SDA released) or 0x00 (SDA low) alone; call it only while
    // SCL is low, so that no START or STOP appears on the bus.
    void SetSda(bool released);
    // One status read: true when SDA reads high (status bit 6 set).
    bool SdaHigh();

    // The first START of an operation, with a check of the data line: the
    // writes of Start() with one status read after control 0x04. If SDA reads
    // low there, a device may be stuck mid-byte: up to nine clocks (control
    // 0x00, control 0x04, read status) with SDA released free it, and the
    // START goes on as soon as SDA reads high. Returns false, with SCL high
    // and no START made, when SDA stays low (the line is held low).
    bool StartFreeingBus();

private:
    void RaiseBoth();
    void FallWhileClockHigh();

    LptPort& m_port;
};
