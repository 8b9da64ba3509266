// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimEepromFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "PortError.h"

SimEepromFile::SimEepromFile(const std::string& path, SimEeprom& eeprom)
    : m_path(path), m_eeprom(eeprom) {
    try {
        Open();
    } catch (...) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        throw;
    }
    m_eeprom.SetCommitListener([this](const EepromImage& memory) { Save(memory); });
}

void SimEepromFile::Open() {
    const std::string& path = m_path;
    // Only a regular file is opened: opening a device can have effects of
    // its own. Checked again on the open descriptor below.
    const auto refuseUnlessRegular = [&path](const struct stat& status) {
        if (!S_ISREG(status.st_mode)) {
            Fail("The simulated EEPROM file " + path +
                     " is not a regular file; give the name of a file of 128 bytes, or of one "
                     "to be created",
                 0);
        }
    };
    if (struct stat before{}; ::stat(path.c_str(), &before) == 0) {
        refuseUnlessRegular(before);
    }
    // Non-blocking, so that a FIFO or a terminal given by mistake never
    // stalls the open; a regular file is not affected by it.
    m_fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    bool created = false;
    if (m_fd < 0 && errno == ENOENT) {
        m_fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_CREAT | O_EXCL, 0644);
        created = m_fd >= 0;
    }
    if (m_fd < 0) {
        Fail("Cannot open the simulated EEPROM file " + path, errno);
    }
    struct stat status {};
    if (::fstat(m_fd, &status) != 0) {
        Fail("Cannot open the simulated EEPROM file " + path, errno);
    }
    refuseUnlessRegular(status);
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            Fail("The simulated switch " + path +
                     " is in use: another program has it open. Try again when it is done",
                 0);
        }
        Fail("Cannot lock the simulated EEPROM file " + path, errno);
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
    if (m_fd >= 0) {
        ::close(m_fd);  // drops the lock
    }
}

void SimEepromFile::Load() {
    // One byte more than an image, to tell a longer file from an image.
    uint8_t bytes[kEepromSize + 1];
    std::size_t size = 0;
    while (size < sizeof bytes) {
        const ssize_t got =
            ::pread(m_fd, bytes + size, sizeof bytes - size, static_cast<off_t>(size));
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
    const ssize_t written = ::pwrite(m_fd, memory.data(), memory.size(), 0);
    if (written != static_cast<ssize_t>(memory.size())) {
        Fail("Cannot save the simulated EEPROM file " + m_path, written < 0 ? errno : ENOSPC);
    }
}

void SimEepromFile::Fail(const std::string& what, int error) {
    throw PortError(what + (error != 0 ? ": " + std::string(std::strerror(error)) : "") + ".");
}
