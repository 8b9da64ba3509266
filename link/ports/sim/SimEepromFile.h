// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "LinkText.h"
#include "LockedFile.h"
#include "SimEeprom.h"

// The file that keeps a simulated switch's 128 bytes, so that several
// programs share one switch as they would share one on a real port. While it
// is open the file is locked exclusively (as ppdev claims a port
// exclusively), the EEPROM's memory is what the file held at the open, and
// every committed write is saved back at once.
class SimEepromFile {
public:
    // Opens (through SafeOpen) and locks `path`, creating it with
    // SimEeprom::Pattern() when it does not exist, and loads its bytes into `eeprom`. Throws
    // PortError when another program holds the file ("in use"), when it is not a regular file of
    // exactly 128 bytes (at most 129 bytes are read to tell) or when it cannot be opened, created
    // or read (a symbolic link another user planted in a shared folder included).
    SimEepromFile(const std::string& path, SimEeprom& eeprom);
    // Stops saving the EEPROM's writes and gives the file and its lock back.
    ~SimEepromFile();
    SimEepromFile(const SimEepromFile&) = delete;
    SimEepromFile& operator=(const SimEepromFile&) = delete;

private:
    // Opens, checks and locks the file and loads it (or creates it).
    void Open();
    // Writes the 128 bytes over the file's contents; throws PortError when it
    // cannot.
    void Save(const EepromImage& memory);
    // Loads the file's contents into the EEPROM.
    void Load();
    // Throws PortError: `what` with the file's path for %1 and the system's
    // reason for `error` (none: 0) for %2.
    [[noreturn]] void Fail(const LinkText& what, int error = 0) const;

    std::string m_path;
    SimEeprom& m_eeprom;
    LockedFile m_file;  // closing it drops the lock
};
