// SPDX-License-Identifier: GPL-3.0-or-later
#include "VcdWriter.h"

#include <cerrno>
#include <cstring>

#include "PortError.h"

namespace {
constexpr uint64_t kGapSteps = 100;
}

VcdWriter::VcdWriter(const std::string& path) : m_out(path, std::ios::trunc), m_path(path) {
    if (!m_out) {
        throw PortError("Cannot create the trace file " + path + ": " + std::strerror(errno));
    }
    m_out << "$date tarnel bus trace $end\n"
             "$timescale 1 us $end\n"
             "$scope module i2c $end\n"
             "$var wire 1 c SCL $end\n"
             "$var wire 1 d SDA $end\n"
             "$upscope $end\n"
             "$enddefinitions $end\n";
    Check();
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
    m_out << '#' << m_time << '\n';
    if (sclChanged) {
        m_out << (scl ? '1' : '0') << "c\n";
        m_scl = scl;
    }
    if (sdaChanged) {
        m_out << (sda ? '1' : '0') << "d\n";
        m_sda = sda;
    }
    Check();
}

void VcdWriter::Gap() {
    m_time += kGapSteps;
}

std::string VcdWriter::Flush() {
    m_out.flush();
    Check();
    return m_error;
}

void VcdWriter::Check() {
    if (!m_out && m_error.empty()) {
        const int error = errno != 0 ? errno : EIO;
        m_error = "Cannot write the trace file " + m_path + ": " + std::strerror(error) + ".";
    }
}
