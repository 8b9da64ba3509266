// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileCounter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <cerrno>

#include "FileError.h"
#include "SafeOpen.h"

namespace {
// Counter files are small; anything longer is no counter file.
constexpr qsizetype kMaxFileSize = 1 << 20;

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Writes all of `bytes` to `fd`; 0 or the error.
int WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written < 0 ? errno : ENOSPC;
        }
        done += written;
    }
    return 0;
}

// Flushes the folder `folder` (an O_PATH descriptor), so that a rename or a
// new name in it is on disk.
int SyncFolder(int folder) {
    LockedFile opened(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!opened.IsOpen()) {
        return errno;
    }
    return ::fsync(opened.get()) == 0 ? 0 : errno;
}
// Writes `text` into a new file in the folder of `location`, with `mode`
// and, where this user may give it, the owner of `owner`; flushed to disk and
// closed. Its name goes to `temporary`. Returns 0, or the error (the file is
// removed again then).
int WriteTemporary(const SafeOpen::Location& location, const QByteArray& text, mode_t mode,
                   const struct stat* owner, std::string& temporary) {
    LockedFile out;
    if (const SafeOpen::Result created =
            SafeOpen::CreateTemporary(location, ".tarnel-counter-", temporary, out);
        !created.ok()) {
        return created.error;
    }
    int error = ::fchmod(out.get(), mode) == 0 ? 0 : errno;
    if (error == 0 && owner != nullptr &&
        (owner->st_uid != ::geteuid() || owner->st_gid != ::getegid())) {
        // Keeping the owner needs privileges; a plain user's file stays theirs.
        [[maybe_unused]] const int ignored = ::fchown(out.get(), owner->st_uid, owner->st_gid);
    }
    if (error == 0) {
        error = WriteAll(out.get(), text);
    }
    if (error == 0 && ::fsync(out.get()) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = out.Close();
    }
    if (error != 0) {
        ::unlinkat(location.folder.get(), temporary.c_str(), 0);
    }
    return error;
}
}  // namespace

FileCounter::FileCounter(const QString& path) : Counter(path), m_path(path) {}

QByteArray FileCounter::Encode(const State& state) {
    QByteArray text =
        "first " + Counter::ValueText(state, state.first).toLatin1() + "\nlast " +
        Counter::ValueText(state, state.last).toLatin1() + "\nnext " +
        (state.next ? Counter::ValueText(state, *state.next).toLatin1() : QByteArray("none")) +
        "\n";
    for (uint64_t value : state.voided) {
        text += "void " + Counter::ValueText(state, value).toLatin1() + "\n";
    }
    return text;
}

std::optional<Counter::State> FileCounter::Decode(const QByteArray& text) {
    State state;
    bool first = false;
    bool last = false;
    bool next = false;
    if (!text.endsWith('\n')) {
        return std::nullopt;
    }
    for (const QByteArray& line : text.chopped(1).split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 2) {
            return std::nullopt;
        }
        const QString key = QString::fromLatin1(fields[0]);
        if (key == QLatin1String("next") && fields[1] == "none" && !next) {
            next = true;
            continue;
        }
        int digits = 0;
        const std::optional<uint64_t> value = ParseValue(QString::fromLatin1(fields[1]), &digits);
        if (!value) {
            return std::nullopt;
        }
        if (key == QLatin1String("first") && !first) {
            first = true;
            state.first = *value;
            state.hexDigits = digits;
        } else if (key == QLatin1String("last") && !last) {
            last = true;
            state.last = *value;
        } else if (key == QLatin1String("next") && !next) {
            next = true;
            state.next = *value;
        } else if (key == QLatin1String("void")) {
            state.voided.push_back(*value);
        } else {
            return std::nullopt;
        }
    }
    const bool inRange = !state.next || (*state.next >= state.first && *state.next <= state.last);
    if (!first || !last || !next || state.first > state.last || !inRange) {
        return std::nullopt;
    }
    return state;
}

bool FileCounter::Create(const State& state) {
    const std::string path = Native(m_path);
    SafeOpen::Location location;
    SafeOpen::Result located = SafeOpen::Locate(path, location);
    if (located.ok() && location.exists) {
        return Failed(
            QCoreApplication::translate("Counter", "counter %1 exists already.").arg(Name()));
    }
    if (!located.ok()) {
        return OpenFailed(located);
    }
    const int folder = location.folder.get();
    const mode_t mask = ::umask(0);
    ::umask(mask);
    std::string temporary;
    int error = WriteTemporary(location, Encode(state), 0666 & ~mask, nullptr, temporary);
    if (error != 0) {
        return SystemFailed(error);
    }
    // A new name for the finished file: an existing counter is never replaced.
    if (::linkat(folder, temporary.c_str(), folder, location.name.c_str(), 0) != 0) {
        error = errno;
    }
    ::unlinkat(folder, temporary.c_str(), 0);
    if (error == EEXIST) {
        return Failed(
            QCoreApplication::translate("Counter", "counter %1 exists already.").arg(Name()));
    }
    if (error == 0) {
        error = SyncFolder(folder);
    }
    return error == 0 || SystemFailed(error);
}

bool FileCounter::Read(State& state) {
    LockedFile file;
    return Load(file, LockedFile::Lock::shared, state);
}

Counter::Outcome FileCounter::Take(uint64_t& value) {
    return Change([&](State& state) {
        if (!state.next) {
            return Exhausted(state);
        }
        value = *state.next;
        state.next = value < state.last ? std::optional(value + 1) : std::nullopt;
        return Outcome::done;
    });
}

bool FileCounter::Void(uint64_t value) {
    return Change([&](State& state) {
               state.voided.push_back(value);
               return Outcome::done;
           }) == Outcome::done;
}

Counter::Outcome FileCounter::Change(const std::function<Outcome(State&)>& change) {
    LockedFile file;
    State state;
    if (!Load(file, LockedFile::Lock::exclusive, state)) {
        return Outcome::failed;
    }
    const Outcome outcome = change(state);
    if (outcome != Outcome::done) {
        return outcome;
    }
    return Replace(file, state) ? Outcome::done : Outcome::failed;
}

bool FileCounter::Load(LockedFile& file, LockedFile::Lock lock, State& state) {
    const std::string path = Native(m_path);
    for (;;) {
        LockedFile opened;
        const SafeOpen::Result result = SafeOpen::Open(
            path, lock == LockedFile::Lock::exclusive ? O_RDWR : O_RDONLY, 0, opened);
        if (!result.ok()) {
            return OpenFailed(result);
        }
        if (const int error = opened.Take(lock, kLockWait); error != 0) {
            return error == EWOULDBLOCK
                       ? Failed(QCoreApplication::translate(
                                    "Counter", "counter %1 is locked by another program.")
                                    .arg(Name()))
                       : SystemFailed(error);
        }
        // The file may have been replaced while the lock was waited for:
        // then the lock is on the old one, and the new one is locked again.
        LockedFile again;
        struct stat locked {};
        struct stat current {};
        if (!SafeOpen::Open(path, O_RDONLY, 0, again).ok() || ::fstat(opened.get(), &locked) != 0 ||
            ::fstat(again.get(), &current) != 0 || locked.st_ino != current.st_ino ||
            locked.st_dev != current.st_dev) {
            continue;
        }
        QByteArray text;
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(opened.get(), buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                return SystemFailed(errno);
            }
            if (got == 0 || text.size() > kMaxFileSize) {
                break;
            }
            text.append(buffer, got);
        }
        const std::optional<State> decoded = Decode(text);
        if (!decoded) {
            return Failed(
                QCoreApplication::translate("Counter", "%1 is not a counter file.").arg(m_path));
        }
        state = *decoded;
        file = std::move(opened);
        return true;
    }
}

bool FileCounter::Replace(const LockedFile& file, const State& state) {
    SafeOpen::Location location;
    if (const SafeOpen::Result located = SafeOpen::Locate(Native(m_path), location);
        !located.ok()) {
        return SystemFailed(located.error);
    }
    struct stat old {};
    if (::fstat(file.get(), &old) != 0) {
        return SystemFailed(errno);
    }
    const int folder = location.folder.get();
    std::string temporary;
    int error = WriteTemporary(location, Encode(state), old.st_mode & 07777, &old, temporary);
    if (error != 0) {
        return SystemFailed(error);
    }
    if (::renameat(folder, temporary.c_str(), folder, location.name.c_str()) != 0) {
        error = errno;
        ::unlinkat(folder, temporary.c_str(), 0);
        return SystemFailed(error);
    }
    error = SyncFolder(folder);
    return error == 0 || SystemFailed(error);
}

bool FileCounter::OpenFailed(const SafeOpen::Result& result) {
    return result.kind == SafeOpen::Result::Kind::system
               ? SystemFailed(result.error)
               : Failed(QFile::decodeName(result.Describe(Native(m_path)).c_str()));
}

bool FileCounter::SystemFailed(int error) {
    return Failed(QCoreApplication::translate("Counter", "Cannot use the counter: %1")
                      .arg(FileError::Text(FileError::FromErrno(error), m_path)));
}
