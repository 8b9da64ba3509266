// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimEepromFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "PortError.h"
#include "SafeOpen.h"

SimEepromFile::SimEepromFile(const std::string& path, SimEeprom& eeprom)
    : m_path(path), m_eeprom(eeprom) {
    Open();
    m_eeprom.SetCommitListener([this](const EepromImage& memory) { Save(memory); });
}

void SimEepromFile::Open() {
    // Only a regular file is opened (opening a device can have effects of
    // its own), never a blocking open, and no link planted by another user.
    SafeOpen::Result opened = SafeOpen::Open(m_path, O_RDWR, 0, m_file);
    bool created = false;
    if (opened.kind == SafeOpen::Result::Kind::system && opened.error == ENOENT) {
        opened = SafeOpen::Open(m_path, O_RDWR | O_CREAT | O_EXCL, 0644, m_file);
        created = opened.ok();
    }
    if (opened.kind == SafeOpen::Result::Kind::notRegular) {
        Fail("The simulated EEPROM file " + m_path +
                 " is not a regular file; give the name of a file of 128 bytes, or of one "
                 "to be created",
             0);
    }
    if (opened.kind == SafeOpen::Result::Kind::system) {
        Fail("Cannot open the simulated EEPROM file " + m_path, opened.error);
    }
    if (!opened.ok()) {
        throw PortError("Cannot open the simulated EEPROM file: " + opened.Describe(m_path));
    }
    if (::flock(m_file.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            Fail("The simulated switch " + m_path +
                     " is in use: another program has it open. Try again when it is done",
                 0);
        }
        Fail("Cannot lock the simulated EEPROM file " + m_path, errno);
    }
    if (created) {
        m_eeprom.Memory() = SimEeprom::Pattern();
        Save(m_eeprom.Memory());
    } else {
        Load();
    }
}

SimEepromFile::~SimEepromFile() {
    m_eeprom.SetCommitListener({});
}

void SimEepromFile::Load() {
    // One byte more than an image, to tell a longer file from an image.
    uint8_t bytes[kEepromSize + 1];
    std::size_t size = 0;
    while (size < sizeof bytes) {
        const ssize_t got =
            ::pread(m_file.get(), bytes + size, sizeof bytes - size, static_cast<off_t>(size));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            Fail("Cannot read the simulated EEPROM file " + m_path, errno);
        }
        if (got == 0) {
            break;
        }
        size += static_cast<std::size_t>(got);
    }
    if (size != kEepromSize) {
        Fail("The simulated EEPROM file " + m_path + " holds " +
                 (size > kEepromSize ? std::string("more than 128") : std::to_string(size)) +
                 " bytes where it should hold 128",
             0);
    }
    std::memcpy(m_eeprom.Memory().data(), bytes, kEepromSize);
}

void SimEepromFile::Save(const EepromImage& memory) {
    // The file is written in place, not replaced: a new file would not carry
    // the lock that other programs test. 128 bytes go in one write.
    const ssize_t written = ::pwrite(m_file.get(), memory.data(), memory.size(), 0);
    if (written != static_cast<ssize_t>(memory.size())) {
        Fail("Cannot save the simulated EEPROM file " + m_path, written < 0 ? errno : ENOSPC);
    }
}

void SimEepromFile::Fail(const std::string& what, int error) {
    throw PortError(what + (error != 0 ? ": " + std::string(std::strerror(error)) : "") + ".");
}
