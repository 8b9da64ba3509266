// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileError.h"

#include <cerrno>

FileError::Cause FileError::FromErrno(int error) {
    switch (error) {
        case 0:
            return Cause::none;
        case ENOENT:
            return Cause::fileNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return Cause::accessDenied;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return Cause::badPath;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return Cause::diskFull;
        case EMFILE:
        case ENFILE:
            return Cause::tooManyOpenFiles;
        case EIO:
            return Cause::hardIO;
        case EWOULDBLOCK:
            return Cause::sharingViolation;
        case EBADF:
            return Cause::invalidFile;
        default:
            return Cause::generic;
    }
}

QString FileError::Text(Cause cause, const QString& fileName) {
    const char* text = "";
    switch (cause) {
        case Cause::none:
            text = "No error occurred.";
            break;
        case Cause::generic:
            text = "An unknown error occurred while accessing %1.";
            break;
        case Cause::fileNotFound:
            text = "%1 was not found.";
            break;
        case Cause::badPath:
            text = "%1 contains an invalid path.";
            break;
        case Cause::tooManyOpenFiles:
            text = "%1 could not be opened because there are too many open files.";
            break;
        case Cause::accessDenied:
            text = "Access to %1 was denied.";
            break;
        case Cause::invalidFile:
            text = "An invalid file handle was associated with %1.";
            break;
        case Cause::removeCurrentDir:
            text = "%1 could not be removed because it is the current directory.";
            break;
        case Cause::directoryFull:
            text = "%1 could not be created because the directory is full.";
            break;
        case Cause::badSeek:
            text = "Seek failed on %1";
            break;
        case Cause::hardIO:
            text = "A hardware I/O error was reported while accessing %1.";
            break;
        case Cause::sharingViolation:
            text = "A sharing violation occurred while accessing %1.";
            break;
        case Cause::lockViolation:
            text = "A locking violation occurred while accessing %1.";
            break;
        case Cause::diskFull:
            text = "Disk full while accessing %1.";
            break;
        case Cause::endOfFile:
            text = "An attempt was made to access %1 past its end.";
            break;
    }
    const QString name = fileName.isEmpty() ? QStringLiteral("an unnamed file") : fileName;
    return QString::fromLatin1(text).replace(QLatin1String("%1"), name);
}
