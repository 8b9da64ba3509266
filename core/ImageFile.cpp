#include "ImageFile.h"

#include "LockedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

ImageFileResult Failure(ImageFileResult::Stage stage, int error, const QString& fileName) {
    ImageFileResult result;
    result.stage = stage;
    result.cause = FileError::FromErrno(error);
    result.fileName = fileName;
    return result;
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

std::string BaseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

QString ImageFileResult::Message() const {
    if (stage == Stage::Short) {
        // Joined, not formatted: a file name may hold "%1" itself.
        return fileName + QStringLiteral(" is not an image file: it holds ") +
               QString::number(size) + QStringLiteral(" bytes where an image file holds 128.");
    }
    return FileError::Text(cause, fileName);
}

ImageFileResult ImageFile::Read(const QString& path, EepromImage& image, LockedFile* keepOpen) {
    using Stage = ImageFileResult::Stage;
    const QByteArray name = QFile::encodeName(path);
    LockedFile fd(::open(name.constData(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        return Failure(Stage::Open, errno, path);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return Failure(Stage::Open, errno, path);
    }
    if (S_ISDIR(info.st_mode)) {
        return Failure(Stage::Open, EISDIR, path);
    }
    if (const int error = fd.LockExclusive()) {
        return Failure(Stage::Open, error, path);
    }
    EepromImage bytes{};
    const ssize_t count = ReadFully(fd.get(), bytes.data(), bytes.size());
    if (count < 0) {
        return Failure(Stage::Transfer, errno, QString());
    }
    if (static_cast<size_t>(count) < bytes.size()) {
        return ShortFile(path, count);
    }
    image = bytes;
    if (keepOpen != nullptr) {
        *keepOpen = std::move(fd);
    }
    return {};
}

ImageFileResult ImageFile::ReadStream(std::istream& stream, const QString& name,
                                      EepromImage& image) {
    EepromImage bytes{};
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

ImageFileResult ImageFile::Write(const QString& path, const EepromImage& image) {
    using Stage = ImageFileResult::Stage;
    std::string target = QFile::encodeName(path).toStdString();

    struct stat linkInfo {};
    if (::lstat(target.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(target.c_str(), resolved) != nullptr) {
            target = resolved;
        } else {
            // A link to a file not there yet: create the file it names.
            const ssize_t length = ::readlink(target.c_str(), resolved, sizeof resolved - 1);
            if (length > 0) {
                const std::string pointed(resolved, static_cast<size_t>(length));
                target = pointed[0] == '/' ? pointed : Directory(target) + "/" + pointed;
            }
        }
    }

    // Hold the old file, if there is one, under the lock until it is replaced.
    struct stat oldInfo {};
    const bool exists = ::stat(target.c_str(), &oldInfo) == 0;
    if (exists && S_ISDIR(oldInfo.st_mode)) {
        return Failure(Stage::Open, EISDIR, path);
    }
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        return Failure(Stage::Open, errno, path);
    }
    LockedFile old(exists ? ::open(target.c_str(), O_RDONLY | O_CLOEXEC) : -1);
    if (exists && old.get() < 0) {
        return Failure(Stage::Open, errno, path);
    }
    if (exists) {
        if (const int error = old.LockExclusive()) {
            return Failure(Stage::Open, error, path);
        }
    }

    std::string temporary = Directory(target) + "/." + BaseName(target) + ".XXXXXX";
    LockedFile out(::mkostemp(temporary.data(), O_CLOEXEC));
    if (out.get() < 0) {
        // A folder that does not exist is a bad path, not a missing file.
        const int error = errno == ENOENT ? ENOTDIR : errno;
        return Failure(Stage::Open, error, path);
    }
    const mode_t mode = exists ? (oldInfo.st_mode & 07777) : DefaultFileMode();
    int error = ::fchmod(out.get(), mode) == 0 ? 0 : errno;
    if (exists && error == 0 && (oldInfo.st_uid != ::geteuid() || oldInfo.st_gid != ::getegid())) {
        // Keeping the owner needs privileges; a plain user's file stays theirs.
        [[maybe_unused]] const int ignored = ::fchown(out.get(), oldInfo.st_uid, oldInfo.st_gid);
    }
    if (error == 0) {
        error = WriteFully(out.get(), image.data(), image.size());
    }
    if (error == 0 && ::fsync(out.get()) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = out.Close();
    }
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return Failure(Stage::Transfer, error, path);
    }
    LockedFile folder(::open(Directory(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) {
        ::fsync(folder.get());  // make the rename itself durable
    }
    return {};
}
