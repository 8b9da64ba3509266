// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "LockedFile.h"

// Writes the two bus lines SCL and SDA as a Value Change Dump, one time step
// per port write (timescale 1 us, about one port cycle). One writer serves
// every port opened during a run, so the time runs on from one device command
// to the next.
class VcdWriter {
public:
    // Creates or empties `path`, opened through SafeOpen (a regular file
    // only: a FIFO, a terminal or another user's link in a shared folder is
    // refused), and writes the header; throws PortError if it cannot.
    explicit VcdWriter(const std::string& path);
    // Flushes; a failure then goes unreported, so flush first with Flush().
    ~VcdWriter();

    // Records the lines after one port write: the time advances by one step
    // and each line that changed is dumped.
    void Record(bool scl, bool sda);
    // Leaves a gap of idle time, to set one device command apart from the next.
    void Gap();
    // Pushes what was recorded out to the file; returns Error(), or none
    // while all of it was written.
    std::optional<std::string> Flush();
    // Why the trace could not be written ("Cannot write the trace file ...:
    // No space left on device."), or empty while all of it was written.
    const std::string& Error() const { return m_error; }

private:
    // Writes the buffered text out once enough has gathered.
    void WriteSome();
    // Notes the first failure, `error`, with the system's reason.
    void Fail(int error);

    LockedFile m_file;
    std::string m_buffer;
    std::string m_path;
    uint64_t m_time = 0;
    int m_scl = -1;
    int m_sda = -1;
    std::string m_error;
};
