// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <string>

#include "LockedFile.h"

// The one way tarnel opens the files it reads, appends to or replaces (image
// files, audit logs, traces, simulated EEPROM files, lock files). The path is
// walked one component at a time, never letting the kernel follow a symbolic
// link: a link is followed only where the kernel's protected_symlinks rule
// allows it, whatever the machine's own setting (in a sticky, world-writable
// folder only a link owned by the folder's owner or by this user). Only a
// regular file is opened: anything else is refused before it is opened, and
// the open itself never blocks. Names are used exactly as given.
class SafeOpen {
public:
    // How an open or a look-up ended.
    struct Result {
        enum class Kind {
            done,
            system,      // the system refused: `error`
            notRegular,  // the file is of type `mode`, not a regular file
            unsafeLink,  // a link another user owns in the shared `folder`
            linkLoop,    // too many symbolic links
        };
        Kind kind = Kind::done;
        int error = 0;
        mode_t mode = 0;
        std::string folder;

        bool ok() const { return kind == Kind::done; }
        // What went wrong with `path`, for the user ("sticky/t.vcd is a FIFO,
        // not a regular file."); `regular` names what a regular file is here
        // (empty: "a regular file").
        std::string Describe(const std::string& path, const std::string& regular = {}) const;
    };

    // Where a path leads: the folder that holds its last component, and
    // that component's name, with every symbolic link on the way followed.
    struct Location {
        LockedFile folder;       // opened with O_PATH
        std::string folderPath;  // the folder as walked, for messages
        std::string name;
        bool exists = false;
        mode_t mode = 0;  // the file's type when it exists
    };

    // Walks `path` into `location`. A missing last component is no error
    // (`exists` false); a missing folder is.
    static Result Locate(const std::string& path, Location& location);
    // Opens the file at `location` with `flags` (O_RDONLY, O_RDWR, O_WRONLY,
    // with O_APPEND, O_CREAT, O_EXCL; `mode` for a new file) into `file`,
    // blocking reads and writes. Refuses a file that is not regular.
    static Result OpenAt(const Location& location, int flags, mode_t mode, LockedFile& file);
    // Locate, then OpenAt.
    static Result Open(const std::string& path, int flags, mode_t mode, LockedFile& file);
    // Creates a new file named `prefix` and six random characters in the
    // folder of `location`, readable and writable by its owner only; its
    // name goes to `name`.
    static Result CreateTemporary(const Location& location, const std::string& prefix,
                                  std::string& name, LockedFile& file);
};
