// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageFile.h"

#include "LockedFile.h"
#include "SignalCleanup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <climits>
#include <string>

namespace {

using Stage = ImageFileResult::Stage;

// As many symbolic links as the kernel follows in one look-up.
constexpr int kMaxLinks = 40;

ImageFileResult Failure(Stage stage, int error, const QString& fileName) {
    ImageFileResult result;
    result.stage = stage;
    result.cause = FileError::FromErrno(error);
    result.fileName = fileName;
    return result;
}

// Messages are joined, not formatted: a file name may hold "%1" itself.
ImageFileResult Refusal(const QString& fileName, const QString& text) {
    ImageFileResult result;
    result.stage = Stage::Refused;
    result.fileName = fileName;
    result.refusal = text;
    return result;
}

// A text image that is not a whole valid image in `format`; `what` says why.
ImageFileResult Invalid(const QString& fileName, ImageFormat::Kind format, const QString& what) {
    ImageFileResult result =
        Refusal(fileName, fileName + QStringLiteral(" is not a valid ") +
                              ImageFormat::Title(format) + QStringLiteral(" image: ") + what + '.');
    result.stage = Stage::Invalid;
    return result;
}

// Decodes the text `text` of an image in `format` into `image`.
ImageFileResult DecodeText(const QString& fileName, ImageFormat::Kind format,
                           const QByteArray& text, EepromImage& image) {
    if (text.size() > ImageFormat::kMaxTextSize) {
        return Invalid(fileName, format,
                       QStringLiteral("the file is larger than an image file can be (%1 bytes)")
                           .arg(ImageFormat::kMaxTextSize));
    }
    if (const QString wrong = ImageFormat::DecodeText(format, text, image); !wrong.isEmpty()) {
        return Invalid(fileName, format, wrong);
    }
    return {};
}

ImageFileResult NotRegular(const QString& path, mode_t mode) {
    const char* kind = "a special file";
    if (S_ISDIR(mode)) {
        kind = "a folder";
    } else if (S_ISFIFO(mode)) {
        kind = "a FIFO";
    } else if (S_ISSOCK(mode)) {
        kind = "a socket";
    } else if (S_ISCHR(mode)) {
        kind = "a character device";
    } else if (S_ISBLK(mode)) {
        kind = "a block device";
    }
    return Refusal(path, path + QStringLiteral(" is ") + QLatin1String(kind) +
                             QStringLiteral(", not an image file."));
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

// Opens `name` with `access` (O_RDONLY or O_RDWR) without blocking, checks on
// the open descriptor that it is a regular file (a FIFO or device swapped in
// after an earlier check is refused here) and takes the exclusive lock.
// `file` and `info` hold the file and its status on success.
ImageFileResult OpenLocked(const char* name, int access, const QString& path, LockedFile& file,
                           struct stat& info) {
    file = LockedFile(::open(name, access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        return Failure(Stage::Open, errno, path);
    }
    if (::fstat(file.get(), &info) != 0) {
        return Failure(Stage::Open, errno, path);
    }
    if (!S_ISREG(info.st_mode)) {
        return NotRegular(path, info.st_mode);
    }
    if (const int error = file.LockExclusive()) {
        return Failure(Stage::Open, error, path);
    }
    return {};
}

ImageFileResult BadName(const QString& path) {
    return Refusal(path, ImageFile::NameProblem(path));
}

// A file that ends before the 128 bytes of an image.
ImageFileResult ShortFile(const QString& fileName, qint64 size) {
    ImageFileResult result;
    result.stage = ImageFileResult::Stage::Short;
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

std::string Directory(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a save replaces or creates: `path` with the symbolic links of its
// last component followed. The folders on the way are left to the kernel.
struct Target {
    std::string path;
    bool exists = false;
};

// The kernel's protected_symlinks rule: a link in a sticky, world-writable
// folder is followed only by its owner, or when the folder's owner owns it.
bool MayFollow(const struct stat& link, const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return false;
    }
    const bool shared = (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
    return !shared || link.st_uid == ::geteuid() || link.st_uid == info.st_uid;
}

ImageFileResult Resolve(const QString& path, Target& target) {
    QByteArray name;
    if (!EncodeName(path, name)) {
        return BadName(path);
    }
    target.path = name.toStdString();
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::lstat(target.path.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                return Failure(Stage::Open, errno, path);
            }
            target.exists = false;
            return {};
        }
        if (!S_ISLNK(info.st_mode)) {
            target.exists = true;
            return S_ISREG(info.st_mode) ? ImageFileResult{} : NotRegular(path, info.st_mode);
        }
        if (links == kMaxLinks) {
            return Refusal(path, path + QStringLiteral(" is a symbolic link that leads round in "
                                                       "a loop."));
        }
        const std::string folder = Directory(target.path);
        if (!MayFollow(info, folder)) {
            return Refusal(path, path +
                                     QStringLiteral(" is not followed: it is a symbolic link "
                                                    "another user owns in the shared folder ") +
                                     QFile::decodeName(folder.c_str()) + '.');
        }
        char pointed[PATH_MAX];
        const ssize_t length = ::readlink(target.path.c_str(), pointed, sizeof pointed);
        if (length < 0 || length == sizeof pointed) {
            return Failure(Stage::Open, length < 0 ? errno : ENAMETOOLONG, path);
        }
        const std::string next(pointed, static_cast<size_t>(length));
        target.path = next[0] == '/' ? next : folder + "/" + next;
    }
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
    if (stage == Stage::Short) {
        return fileName + QStringLiteral(" is not an image file: it holds ") +
               QString::number(size) +
               (size == 1 ? QStringLiteral(" byte") : QStringLiteral(" bytes")) +
               QStringLiteral(" where an image file holds 128.");
    }
    return FileError::Text(cause, fileName);
}

ImageFileResult ImageFile::Read(const QString& path, EepromImage& image, LockedFile* keepOpen,
                                std::optional<ImageFormat::Kind> format) {
    const ImageFormat::Kind kind = format.value_or(ImageFormat::ForName(path));
    QByteArray name;
    if (!EncodeName(path, name)) {
        return BadName(path);
    }
    // The type first, so that no device is even opened; then again on the
    // open descriptor, which cannot block, in case the file was swapped.
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        return Failure(Stage::Open, errno, path);
    }
    if (!S_ISREG(info.st_mode)) {
        return NotRegular(path, info.st_mode);
    }
    LockedFile fd;
    if (ImageFileResult opened = OpenLocked(name.constData(), O_RDONLY, path, fd, info);
        !opened.ok()) {
        return opened;
    }
    EepromImage bytes{};
    if (kind == ImageFormat::Kind::raw) {
        const ssize_t count = ReadFully(fd.get(), bytes.data(), bytes.size());
        if (count < 0) {
            return Failure(Stage::Transfer, errno, QString());
        }
        if (static_cast<size_t>(count) < bytes.size()) {
            return ShortFile(path, count);
        }
    } else {
        // One byte more than a text image may hold tells a file too large.
        QByteArray text(ImageFormat::kMaxTextSize + 1, '\0');
        const ssize_t count =
            ReadFully(fd.get(), reinterpret_cast<uint8_t*>(text.data()), text.size());
        if (count < 0) {
            return Failure(Stage::Transfer, errno, QString());
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
    return path + QStringLiteral(
                      " cannot be used: the name is not valid UTF-8, so it would "
                      "reach the system changed.");
}

ImageFileResult ImageFile::CheckTarget(const QString& path) {
    Target target;
    return Resolve(path, target);
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
        return ShortFile(name, count);
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
    Target target;
    if (ImageFileResult resolved = Resolve(path, target); !resolved.ok()) {
        return resolved;
    }

    // Hold the old file, if there is one, under the lock until it is replaced.
    // Opening it for writing tells whether this user may replace it.
    LockedFile old;
    struct stat oldInfo {};
    if (target.exists) {
        if (ImageFileResult opened = OpenLocked(target.path.c_str(), O_RDWR, path, old, oldInfo);
            !opened.ok()) {
            return opened;
        }
    }

    const std::string folder = Directory(target.path);
    std::string temporary = folder + "/.tarnel-XXXXXX";
    LockedFile out(::mkostemp(temporary.data(), O_CLOEXEC));
    if (out.get() < 0) {
        const int error = errno;
        if (FolderRefuses(error) && target.exists) {
            return WriteInPlace(old, contents, path);
        }
        if (FolderRefuses(error)) {
            return Failure(Stage::Open, error, QFile::decodeName(folder.c_str()));
        }
        // A folder that does not exist is a bad path, not a missing file.
        return Failure(Stage::Open, error == ENOENT ? ENOTDIR : error, path);
    }
    const SignalCleanup cleanup(temporary);
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
    if (error == 0 && ::rename(temporary.c_str(), target.path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return FolderRefuses(error) && target.exists ? WriteInPlace(old, contents, path)
                                                     : Failure(Stage::Transfer, error, path);
    }
    LockedFile folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() >= 0) {
        ::fsync(folderFd.get());  // make the rename itself durable
    }
    return {};
}
