// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

// A 24C01-class EEPROM at I2C address 0x50 as a bridge's firmware sees it, a
// byte at a time: 128 bytes, 8-byte pages (a page write's address wraps
// inside its page), a write committed at STOP, then a write cycle of 5 ms
// during which the chip does not acknowledge its address. Sequential reads
// wrap at 128. Its mode is read from a file at every START, so a test
// switches faults on while the device stays plugged in.
class EepromModel {
public:
    enum class Mode {
        Normal,
        WriteProtected,  // acknowledges every byte, keeps none (WP pin high)
        Absent,          // acknowledges nothing
        EndlessCycle,    // never ends the write cycle after its next write
    };

    static constexpr int kSize = 128;
    static constexpr int kPageSize = 8;
    static constexpr uint8_t kAddress = 0x50;
    static constexpr std::chrono::milliseconds kWriteCycle{5};

    // Reads the mode from `modeFile` ("normal", "write-protected", "absent",
    // "endless-cycle"; a missing file is "normal"). The memory starts as
    // 0x00, 0x01, ... 0x7F.
    explicit EepromModel(std::string modeFile);

    // A START or repeated START on the bus.
    void Start();
    // A STOP: commits a pending write and starts its write cycle.
    void Stop();
    // A byte the master sends; returns whether the chip acknowledges it.
    bool Write(uint8_t byte);
    // A byte the chip sends while it is addressed for reading (0xFF when
    // it is not); `masterAcknowledges` false ends the read.
    uint8_t Read(bool masterAcknowledges);

    // Writes committed so far (a write that the chip refused counts not).
    int CommittedWrites() const { return m_committedWrites; }

private:
    enum class State { Idle, WordAddress, Receiving, Sending, Ignoring };

    bool Busy() const;

    std::string m_modeFile;
    Mode m_mode = Mode::Normal;
    std::array<uint8_t, kSize> m_memory{};
    std::array<uint8_t, kSize> m_pending{};
    std::array<bool, kSize> m_written{};
    int m_pendingBytes = 0;
    State m_state = State::Idle;
    uint8_t m_pointer = 0;
    bool m_everWritten = false;
    std::chrono::steady_clock::time_point m_busyUntil{};
    int m_committedWrites = 0;
};
