// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileError.h"

#include <QCoreApplication>
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
    const char* text = QT_TRANSLATE_NOOP("FileError", "");
    switch (cause) {
        case Cause::none:
            text = QT_TRANSLATE_NOOP("FileError", "No error occurred.");
            break;
        case Cause::generic:
            text = QT_TRANSLATE_NOOP("FileError", "An unknown error occurred while accessing %1.");
            break;
        case Cause::fileNotFound:
            text = QT_TRANSLATE_NOOP("FileError", "%1 was not found.");
            break;
        case Cause::badPath:
            text = QT_TRANSLATE_NOOP("FileError", "%1 contains an invalid path.");
            break;
        case Cause::tooManyOpenFiles:
            text = QT_TRANSLATE_NOOP(
                "FileError", "%1 could not be opened because there are too many open files.");
            break;
        case Cause::accessDenied:
            text = QT_TRANSLATE_NOOP("FileError", "Access to %1 was denied.");
            break;
        case Cause::invalidFile:
            text = QT_TRANSLATE_NOOP("FileError", "An invalid file handle was associated with %1.");
            break;
        case Cause::removeCurrentDir:
            text = QT_TRANSLATE_NOOP(
                "FileError", "%1 could not be removed because it is the current directory.");
            break;
        case Cause::directoryFull:
            text = QT_TRANSLATE_NOOP("FileError",
                                     "%1 could not be created because the directory is full.");
            break;
        case Cause::badSeek:
            text = QT_TRANSLATE_NOOP("FileError", "Seek failed on %1");
            break;
        case Cause::hardIO:
            text = QT_TRANSLATE_NOOP("FileError",
                                     "A hardware I/O error was reported while accessing %1.");
            break;
        case Cause::sharingViolation:
            text =
                QT_TRANSLATE_NOOP("FileError", "A sharing violation occurred while accessing %1.");
            break;
        case Cause::lockViolation:
            text =
                QT_TRANSLATE_NOOP("FileError", "A locking violation occurred while accessing %1.");
            break;
        case Cause::diskFull:
            text = QT_TRANSLATE_NOOP("FileError", "Disk full while accessing %1.");
            break;
        case Cause::endOfFile:
            text = QT_TRANSLATE_NOOP("FileError", "An attempt was made to access %1 past its end.");
            break;
    }
    const QString name =
        fileName.isEmpty() ? QCoreApplication::translate("FileError", "an unnamed file") : fileName;
    return QCoreApplication::translate("FileError", text).replace(QLatin1String("%1"), name);
}
