// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimEepromFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "LinkText.h"
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
        Fail(TARNEL_TEXT("SimEepromFile",
                         "The simulated EEPROM file %1 is not a regular file; give the name of a "
                         "file of 128 bytes, or of one to be created."));
    }
    if (opened.kind == SafeOpen::Result::Kind::system) {
        Fail(TARNEL_TEXT("SimEepromFile", "Cannot open the simulated EEPROM file %1: %2."),
             opened.error);
    }
    if (!opened.ok()) {
        throw PortError(TARNEL_TEXT("SimEepromFile", "Cannot open the simulated EEPROM file: %1")
                            .Text(opened.Describe(m_path)));
    }
    if (::flock(m_file.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            Fail(TARNEL_TEXT("SimEepromFile",
                             "The simulated switch %1 is in use: another program has it open. "
                             "Try again when it is done."));
        }
        Fail(TARNEL_TEXT("SimEepromFile", "Cannot lock the simulated EEPROM file %1: %2."), errno);
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
            Fail(TARNEL_TEXT("SimEepromFile", "Cannot read the simulated EEPROM file %1: %2."),
                 errno);
        }
        if (got == 0) {
            break;
        }
        size += static_cast<std::size_t>(got);
    }
    if (size != kEepromSize) {
        throw PortError((size > kEepromSize
                             ? TARNEL_TEXT("SimEepromFile",
                                           "The simulated EEPROM file %1 holds more than 128 bytes "
                                           "where it should hold 128.")
                             : TARNEL_TEXT("SimEepromFile",
                                           "The simulated EEPROM file %1 holds %2 bytes where it "
                                           "should hold 128."))
                            .Text(m_path, size));
    }
    std::memcpy(m_eeprom.Memory().data(), bytes, kEepromSize);
}

void SimEepromFile::Save(const EepromImage& memory) {
    // The file is written in place, not replaced: a new file would not carry
    // the lock that other programs test. 128 bytes go in one write.
    const ssize_t written = ::pwrite(m_file.get(), memory.data(), memory.size(), 0);
    if (written != static_cast<ssize_t>(memory.size())) {
        Fail(TARNEL_TEXT("SimEepromFile", "Cannot save the simulated EEPROM file %1: %2."),
             written < 0 ? errno : ENOSPC);
    }
}

void SimEepromFile::Fail(const LinkText& what, int error) const {
    throw PortError(what.Text(m_path, error != 0 ? std::strerror(error) : ""));
}
