// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "EepromImage.h"
#include "MonotonicClock.h"
#include "SimFaults.h"

// A simulated 128-byte I2C EEPROM (device address 0xA0/0xA1) that reacts to
// the edges of SCL and SDA as the real chip does: START and STOP when SDA
// changes while SCL is high, bits sampled on the rising clock, its own SDA
// changed only while SCL is low, acknowledges on the ninth clock, random and
// sequential reads (the address pointer wraps at 128), byte and page writes
// committed at STOP (the address wraps inside a page, so bytes beyond a page
// overwrite the page's first ones, as on the chip), and a write cycle after
// each write during which it does not acknowledge its address. SDA is open-drain: the line is low
// when the master or the device pulls it low.
class SimEeprom {
public:
    using Faults = SimFaults;

    // The page size of the parts tarnel meets most: 8 bytes.
    static constexpr int kDefaultPageSize = 8;
    // Whether `bytes` can be a page size: a power of two up to 128.
    static bool IsPageSize(int bytes);

    explicit SimEeprom(const MonotonicClock& clock = MonotonicClock::System());

    // The visible non-zero pattern a new simulated EEPROM holds.
    static EepromImage Pattern();

    // New line levels driven by the master: SCL high, SDA released. Detects
    // the edges against the previous levels and reacts to them.
    void Drive(bool sclHigh, bool masterSdaReleased);
    // Present level of SDA on the bus, whoever drives it.
    bool SdaLevel() const;
    bool SclHigh() const { return m_scl; }
    bool MasterSdaReleased() const { return m_masterSda; }

    EepromImage& Memory() { return m_memory; }
    const EepromImage& Memory() const { return m_memory; }
    Faults& GetFaults() { return m_faults; }

    // The bytes of one page, in which a page write's address wraps; a size
    // IsPageSize refuses throws std::invalid_argument.
    void SetPageSize(int bytes);
    int PageSize() const { return m_pageMask + 1; }
    // After each write's STOP the device refuses its address `attempts` times.
    void SetWriteCycle(int attempts);
    // After each write's STOP the device refuses its address for `duration`.
    void SetWriteCycle(std::chrono::nanoseconds duration);
    // Told the whole memory after each write committed at STOP; what it
    // throws leaves through the STOP's port write.
    using CommitListener = std::function<void(const EepromImage&)>;
    void SetCommitListener(CommitListener listener);

    // The faults named in `names` (comma-separated: absent, write-protected,
    // sda-low, busy, nak-data, and the USB faults unplugged, failed-then-gone,
    // silent, silent-then-gone, each optionally :N; empty names are skipped).
    // Throws std::invalid_argument naming an unknown one and the known ones.
    static Faults ParseFaults(const std::string& names);

    // Address bytes refused because a write cycle was running.
    int BusyRefusals() const { return m_busyRefusals; }
    // Bytes committed to memory by writes.
    int CommittedBytes() const { return m_committedBytes; }

private:
    enum class Phase { Idle, Receive, ReceiveAck, Transmit, TransmitAck };
    enum class Expect { DeviceAddress, WordAddress, Data };

    void OnStart();
    void OnStop();
    void OnClockRise(bool sda);
    void OnClockFall();
    // Takes a received byte; returns whether the device acknowledges it.
    bool TakeByte(uint8_t byte);
    bool Busy();
    void LoadNextByte();

    const MonotonicClock& m_clock;
    EepromImage m_memory;
    Faults m_faults;
    CommitListener m_commitListener;

    bool m_scl = true;
    bool m_masterSda = true;
    bool m_deviceLow = false;

    Phase m_phase = Phase::Idle;
    Expect m_expect = Expect::DeviceAddress;
    int m_bits = 0;
    uint8_t m_shift = 0;
    bool m_acknowledge = false;
    bool m_reading = false;
    bool m_masterAcknowledged = false;
    uint8_t m_pointer = 0;
    uint8_t m_pageMask = kDefaultPageSize - 1;
    uint8_t m_out = 0;
    std::vector<std::pair<uint8_t, uint8_t>> m_pending;

    bool m_busy = false;
    bool m_timedCycle = false;
    int m_cycleAttempts = 0;
    int m_attemptsLeft = 0;
    std::chrono::nanoseconds m_cycleDuration{0};
    std::chrono::nanoseconds m_busyUntil{0};
    int m_busyRefusals = 0;
    int m_committedBytes = 0;
};
