// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The causes of a file error and their texts for the user, in which %1 stands
// for the file name ("an unnamed file" when there is none).
class FileError {
public:
    enum class Cause {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    // The cause for a system error number (errno).
    static Cause FromErrno(int error);
    // The cause's text with %1 replaced by `fileName`.
    static QString Text(Cause cause, const QString& fileName);
};
