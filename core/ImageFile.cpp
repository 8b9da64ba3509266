// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageFile.h"

#include "LockedFile.h"
#include "SafeOpen.h"
#include "SignalCleanup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>

namespace {

using Stage = ImageFileResult::Stage;

ImageFileResult Failure(Stage stage, int error, const QString& fileName) {
    ImageFileResult result;
    result.stage = stage;
    result.cause = FileError::FromErrno(error);
    result.fileName = fileName;
    return result;
}

// A file name may hold "%1" itself: messages take their parts in one arg()
// call, which never reads what it put in.
ImageFileResult Refusal(const QString& fileName, const QString& text) {
    ImageFileResult result;
    result.stage = Stage::Refused;
    result.fileName = fileName;
    result.refusal = text;
    return result;
}

// A text image that is not a whole valid image in `format`; `what` says why.
ImageFileResult Invalid(const QString& fileName, ImageFormat::Kind format, const QString& what) {
    ImageFileResult result = Refusal(
        fileName, QCoreApplication::translate("ImageFile", "%1 is not a valid %2 image: %3.")
                      .arg(fileName, ImageFormat::Title(format), what));
    result.stage = Stage::Invalid;
    return result;
}

// Decodes the text `text` of an image in `format` into `image`.
ImageFileResult DecodeText(const QString& fileName, ImageFormat::Kind format,
                           const QByteArray& text, EepromImage& image) {
    if (text.size() > ImageFormat::kMaxTextSize) {
        return Invalid(fileName, format,
                       QCoreApplication::translate(
                           "ImageFile", "the file is larger than an image file can be (%1 bytes)")
                           .arg(ImageFormat::kMaxTextSize));
    }
    if (const QString wrong = ImageFormat::DecodeText(format, text, image); !wrong.isEmpty()) {
        return Invalid(fileName, format, wrong);
    }
    return {};
}

// The outcome of opening or looking up `path` (whose bytes are `name`).
ImageFileResult FromOpen(const SafeOpen::Result& opened, const QString& path,
                         const QByteArray& name) {
    if (opened.ok()) {
        return {};
    }
    if (opened.kind == SafeOpen::Result::Kind::system) {
        return Failure(Stage::Open, opened.error, path);
    }
    const std::string regular =
        QCoreApplication::translate("ImageFile", "an image file").toStdString();
    return Refusal(path, QFile::decodeName(opened.Describe(name.toStdString(), regular).c_str()));
}

// Takes `lock` on the open `file`, waiting for another program's.
ImageFileResult TakeLock(LockedFile& file, LockedFile::Lock lock, const QString& path) {
    const int error = file.Take(lock, ImageFile::kLockWait);
    if (error == EWOULDBLOCK) {
        ImageFileResult result;
        result.stage = Stage::InUse;
        result.cause = FileError::Cause::sharingViolation;
        result.fileName = path;
        return result;
    }
    return error == 0 ? ImageFileResult{} : Failure(Stage::Open, error, path);
}

// The bytes of `path` for the system; false when decoding the name has
// already changed it (invalid UTF-8 became replacement characters).
bool EncodeName(const QString& path, QByteArray& name) {
    if (!ImageFile::NameProblem(path).isEmpty()) {
        return false;
    }
    name = QFile::encodeName(path);
    return true;
}

ImageFileResult BadName(const QString& path) {
    return Refusal(path, ImageFile::NameProblem(path));
}

// A file that ends before the 128 bytes of an image, or goes on after them
// (`size` -1 when it does not tell how far).
ImageFileResult WrongLength(const QString& fileName, qint64 size) {
    ImageFileResult result;
    result.stage = ImageFileResult::Stage::WrongLength;
    result.fileName = fileName;
    result.size = size;
    return result;
}

// Reads until `size` bytes or the end of the file; the count, or -1.
ssize_t ReadFully(int fd, uint8_t* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

// Writes all `size` bytes; 0, or the error (ENOSPC when the device took fewer).
int WriteFully(int fd, const uint8_t* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errno;
        }
        if (n == 0) {
            return ENOSPC;
        }
        done += static_cast<size_t>(n);
    }
    return 0;
}

const uint8_t* Bytes(const QByteArray& contents) {
    return reinterpret_cast<const uint8_t*>(contents.constData());
}

mode_t DefaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Looks up the file a save replaces or creates: its folder and its name,
// with the symbolic links on the way followed; an existing file must be a
// regular one.
ImageFileResult Locate(const QString& path, SafeOpen::Location& target) {
    QByteArray name;
    if (!EncodeName(path, name)) {
        return BadName(path);
    }
    if (ImageFileResult located =
            FromOpen(SafeOpen::Locate(name.toStdString(), target), path, name);
        !located.ok()) {
        // A folder that does not exist is a bad path, not a missing file.
        if (located.cause == FileError::Cause::fileNotFound) {
            located.cause = FileError::Cause::badPath;
        }
        return located;
    }
    if (target.exists && !S_ISREG(target.mode)) {
        SafeOpen::Result notRegular;
        notRegular.kind = SafeOpen::Result::Kind::notRegular;
        notRegular.mode = target.mode;
        return FromOpen(notRegular, path, name);
    }
    return {};
}

// Whether `error` says the folder takes no new file or no replaced one (it
// is read-only, or sticky and the file another user's).
bool FolderRefuses(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

// Rewrites the open, locked `file` in place with `contents`: for a file whose
// folder allows no new file. Owner, permissions and lock stay as they are.
ImageFileResult WriteInPlace(const LockedFile& file, const QByteArray& contents,
                             const QString& path) {
    // The new bytes over the old ones first, then the length: an interrupted
    // save never leaves an empty or short file behind.
    int error = ::lseek(file.get(), 0, SEEK_SET) == 0 ? 0 : errno;
    if (error == 0) {
        error = WriteFully(file.get(), Bytes(contents), static_cast<size_t>(contents.size()));
    }
    if (error == 0 && ::ftruncate(file.get(), static_cast<off_t>(contents.size())) != 0) {
        error = errno;
    }
    if (error == 0 && ::fsync(file.get()) != 0) {
        error = errno;
    }
    return error == 0 ? ImageFileResult{} : Failure(Stage::Transfer, error, path);
}

}  // namespace

QString ImageFileResult::Message() const {
    if (stage == Stage::Refused || stage == Stage::Invalid) {
        return refusal;
    }
    if (stage == Stage::WrongLength) {
        const QString count = size < 0 ? QCoreApplication::translate("ImageFile", "more than 128")
                                       : QString::number(size);
        return (size == 1 ? QCoreApplication::translate(
                                "ImageFile",
                                "%1 is not an image file: it holds %2 byte where an image file "
                                "holds 128.")
                          : QCoreApplication::translate(
                                "ImageFile",
                                "%1 is not an image file: it holds %2 bytes where an image file "
                                "holds 128."))
            .arg(fileName, count);
    }
    if (stage == Stage::InUse) {
        return QCoreApplication::translate("ImageFile",
                                           "%1 is in use by another program; try again.")
            .arg(fileName);
    }

    return FileError::Text(cause, fileName);
}

ImageFileResult ImageFile::Read(const QString& path, EepromImage& image, LockedFile* keepOpen,
                                std::optional<ImageFormat::Kind> format, Length length) {
    const ImageFormat::Kind kind = format.value_or(ImageFormat::ForName(path));
    QByteArray name;
    if (!EncodeName(path, name)) {
        return BadName(path);
    }
    LockedFile fd;
    if (ImageFileResult opened =
            FromOpen(SafeOpen::Open(name.toStdString(), O_RDONLY, 0, fd), path, name);
        !opened.ok()) {
        return opened;
    }
    if (ImageFileResult locked = TakeLock(fd, LockedFile::Lock::shared, path); !locked.ok()) {
        return locked;
    }
    EepromImage bytes{};
    if (kind == ImageFormat::Kind::raw) {
        // One byte more than an image, to tell a longer file from an image.
        uint8_t raw[kEepromSize + 1];
        const size_t wanted = length == Length::exact ? sizeof raw : kEepromSize;
        const ssize_t count = ReadFully(fd.get(), raw, wanted);
        if (count < 0) {
            return Failure(Stage::Transfer, errno, path);
        }
        if (static_cast<size_t>(count) < kEepromSize) {
            return WrongLength(path, count);
        }
        if (static_cast<size_t>(count) > kEepromSize) {
            struct stat info {};
            const bool sized = ::fstat(fd.get(), &info) == 0 && info.st_size >= count;
            return WrongLength(path, sized ? info.st_size : -1);
        }
        std::copy(raw, raw + kEepromSize, bytes.begin());
    } else {
        // One byte more than a text image may hold tells a file too large.
        QByteArray text(ImageFormat::kMaxTextSize + 1, '\0');
        const ssize_t count =
            ReadFully(fd.get(), reinterpret_cast<uint8_t*>(text.data()), text.size());
        if (count < 0) {
            return Failure(Stage::Transfer, errno, path);
        }
        text.truncate(count);
        if (ImageFileResult decoded = DecodeText(path, kind, text, bytes); !decoded.ok()) {
            return decoded;
        }
    }
    image = bytes;
    if (keepOpen != nullptr) {
        *keepOpen = std::move(fd);
    }
    return {};
}

QString ImageFile::NameProblem(const QString& path) {
    if (!path.contains(QChar::ReplacementCharacter)) {
        return {};
    }
    return QCoreApplication::translate("ImageFile",
                                       "%1 cannot be used: the name is not valid UTF-8, so it "
                                       "would reach the system changed.")
        .arg(path);
}

ImageFileResult ImageFile::CheckTarget(const QString& path) {
    SafeOpen::Location target;
    return Locate(path, target);
}

ImageFileResult ImageFile::ReadStream(std::istream& stream, const QString& name, EepromImage& image,
                                      ImageFormat::Kind format) {
    EepromImage bytes{};
    if (format != ImageFormat::Kind::raw) {
        QByteArray text(ImageFormat::kMaxTextSize + 1, '\0');
        stream.read(text.data(), text.size());
        if (stream.bad()) {
            return Failure(ImageFileResult::Stage::Transfer, EIO, name);
        }
        text.truncate(stream.gcount());
        if (ImageFileResult decoded = DecodeText(name, format, text, bytes); !decoded.ok()) {
            return decoded;
        }
        image = bytes;
        return {};
    }
    stream.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const std::streamsize count = stream.gcount();
    if (stream.bad()) {
        return Failure(ImageFileResult::Stage::Transfer, EIO, name);
    }
    if (static_cast<size_t>(count) < bytes.size()) {
        return WrongLength(name, count);
    }
    if (stream.peek() != std::istream::traits_type::eof()) {
        return WrongLength(name, -1);
    }
    image = bytes;
    return {};
}

// QSaveFile is not used: it fails to replace a file whose name is near the
// 255-byte limit (its temporary name grows with the target's), and its errors
// carry no errno from which the cause texts come.
ImageFileResult ImageFile::Write(const QString& path, const EepromImage& image,
                                 std::optional<ImageFormat::Kind> format) {
    const QByteArray contents =
        ImageFormat::Encode(format.value_or(ImageFormat::ForName(path)), image);
    SafeOpen::Location target;
    if (ImageFileResult located = Locate(path, target); !located.ok()) {
        return located;
    }

    // Hold the old file, if there is one, under the lock until it is replaced.
    // Opening it for writing tells whether this user may replace it.
    LockedFile old;
    struct stat oldInfo {};
    if (target.exists) {
        const QByteArray name = QFile::encodeName(path);
        if (ImageFileResult opened = FromOpen(SafeOpen::OpenAt(target, O_RDWR, 0, old), path, name);
            !opened.ok()) {
            return opened;
        }
        if (ImageFileResult locked = TakeLock(old, LockedFile::Lock::exclusive, path);
            !locked.ok()) {
            return locked;
        }
        if (::fstat(old.get(), &oldInfo) != 0) {
            return Failure(Stage::Open, errno, path);
        }
    }

    // No signal can end the process between creating the temporary file and
    // arming its removal.
    SignalCleanup cleanup;
    std::string temporary;
    LockedFile out;
    const SafeOpen::Result created = SafeOpen::CreateTemporary(target, ".tarnel-", temporary, out);
    if (!created.ok()) {
        const int error = created.error;
        if (FolderRefuses(error) && target.exists) {
            return WriteInPlace(old, contents, path);
        }
        if (FolderRefuses(error)) {
            return Failure(Stage::Open, error, QFile::decodeName(target.folderPath.c_str()));
        }
        return Failure(Stage::Open, error, path);
    }
    cleanup.Arm(target.folder.get(), temporary);
    const int folder = target.folder.get();
    const mode_t mode = target.exists ? (oldInfo.st_mode & 07777) : DefaultFileMode();
    int error = ::fchmod(out.get(), mode) == 0 ? 0 : errno;
    if (target.exists && error == 0 &&
        (oldInfo.st_uid != ::geteuid() || oldInfo.st_gid != ::getegid())) {
        // Keeping the owner needs privileges; a plain user's file stays theirs.
        [[maybe_unused]] const int ignored = ::fchown(out.get(), oldInfo.st_uid, oldInfo.st_gid);
    }
    if (error == 0) {
        error = WriteFully(out.get(), Bytes(contents), static_cast<size_t>(contents.size()));
    }
    if (error == 0 && ::fsync(out.get()) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = out.Close();
    }
    if (error == 0 && ::renameat(folder, temporary.c_str(), folder, target.name.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlinkat(folder, temporary.c_str(), 0);
        return FolderRefuses(error) && target.exists ? WriteInPlace(old, contents, path)
                                                     : Failure(Stage::Transfer, error, path);
    }
    LockedFile folderFd(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.IsOpen()) {
        ::fsync(folderFd.get());  // make the rename itself durable
    }
    return {};
}
