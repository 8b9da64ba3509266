// SPDX-License-Identifier: GPL-3.0-or-later
#include "VcdWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "LinkText.h"
#include "PortError.h"
#include "SafeOpen.h"

namespace {
constexpr uint64_t kGapSteps = 100;
// The text gathered before it is written out.
constexpr std::size_t kBufferSize = 64 * 1024;
}  // namespace

VcdWriter::VcdWriter(const std::string& path) : m_path(path) {
    const SafeOpen::Result opened = SafeOpen::Open(path, O_WRONLY | O_CREAT, 0666, m_file);
    if (!opened.ok()) {
        const bool system = opened.kind == SafeOpen::Result::Kind::system;
        // A system error's description begins with the path itself.
        throw PortError((system ? TARNEL_TEXT("VcdWriter", "Cannot create the trace file %1")
                                : TARNEL_TEXT("VcdWriter", "Cannot create the trace file: %1"))
                            .Text(opened.Describe(path)));
    }
    // Emptied only once it is known to be a regular file.
    if (::ftruncate(m_file.get(), 0) != 0) {
        throw PortError(TARNEL_TEXT("VcdWriter", "Cannot create the trace file %1: %2.")
                            .Text(path, std::strerror(errno)));
    }
    m_buffer +=
        "$date tarnel bus trace $end\n"
        "$timescale 1 us $end\n"
        "$scope module i2c $end\n"
        "$var wire 1 c SCL $end\n"
        "$var wire 1 d SDA $end\n"
        "$upscope $end\n"
        "$enddefinitions $end\n";
}

VcdWriter::~VcdWriter() {
    Flush();
}

void VcdWriter::Record(bool scl, bool sda) {
    const bool sclChanged = m_scl != int{scl};
    const bool sdaChanged = m_sda != int{sda};
    ++m_time;
    if (!sclChanged && !sdaChanged) {
        return;
    }
    m_buffer += '#' + std::to_string(m_time) + '\n';
    if (sclChanged) {
        m_buffer += scl ? "1c\n" : "0c\n";
        m_scl = scl;
    }
    if (sdaChanged) {
        m_buffer += sda ? "1d\n" : "0d\n";
        m_sda = sda;
    }
    if (m_buffer.size() >= kBufferSize) {
        WriteSome();
    }
}

void VcdWriter::Gap() {
    m_time += kGapSteps;
}

std::optional<std::string> VcdWriter::Flush() {
    WriteSome();
    return m_error.empty() ? std::nullopt : std::optional<std::string>(m_error);
}

void VcdWriter::WriteSome() {
    std::size_t done = 0;
    while (done < m_buffer.size() && m_error.empty()) {
        const ssize_t n = ::write(m_file.get(), m_buffer.data() + done, m_buffer.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            Fail(n < 0 ? errno : ENOSPC);
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    m_buffer.clear();
}

void VcdWriter::Fail(int error) {
    m_error = TARNEL_TEXT("VcdWriter", "Cannot write the trace file %1: %2.")
                  .Text(m_path, std::strerror(error));
}
