// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>

// The CH341A's I2C mode as seen on USB: device 1a86:5512, interface 0, bulk
// OUT 0x02 and bulk IN 0x82 with 32-byte packets. The host sends the I2C
// bus's steps as a stream: one bulk OUT packet is one segment, which begins
// with kStream and ends with kEnd; the replies of a segment (status bytes
// and read bytes, in the order of its commands) come back as one bulk IN
// packet. A transaction carries on from one segment to the next until a
// kStop.
namespace Ch341Protocol {
constexpr uint16_t kVendorId = 0x1a86;
constexpr uint16_t kProductId = 0x5512;
// The same chip strapped for its serial mode, which the kernel's ch341
// driver takes; it offers no I2C.
constexpr uint16_t kSerialProductId = 0x5523;
constexpr int kInterface = 0;
constexpr uint8_t kEndpointOut = 0x02;
constexpr uint8_t kEndpointIn = 0x82;
// Bytes of one packet: the most a segment or its replies may hold.
constexpr int kPacketSize = 32;
// Every USB transfer ends within this time, answered or not.
constexpr std::chrono::milliseconds kTransferTimeout{1000};

constexpr uint8_t kStream = 0xAA;  // first byte of a segment
constexpr uint8_t kEnd = 0x00;     // last byte of a segment
constexpr uint8_t kStart = 0x74;   // START, or a repeated START inside a transaction
constexpr uint8_t kStop = 0x75;    // STOP
// 0x80 | n: the n bytes that follow go out with no reply (n = 1..63); 0x80
// alone: the one byte that follows goes out and its acknowledge comes back
// as a status byte.
constexpr uint8_t kOut = 0x80;
// 0xC0 | n: n bytes (1..32) come back, each acknowledged by the chip; 0xC0
// alone: one byte comes back that the chip does not acknowledge (a read's
// last byte).
constexpr uint8_t kIn = 0xC0;
constexpr int kMaxIn = 32;
// 0x60 | s: the bus speed, s & 3 = 0..3 for 20, 100, 400 and 750 kHz.
constexpr uint8_t kSet = 0x60;
constexpr uint8_t kSpeed100kHz = 1;
// 0x40 | n waits n microseconds, 0x50 | n waits n milliseconds (n < 16).
constexpr uint8_t kDelayUs = 0x40;
constexpr uint8_t kDelayMs = 0x50;
// Bit 7 of a status byte: the byte was not acknowledged.
constexpr uint8_t kNotAcknowledged = 0x80;
}  // namespace Ch341Protocol
