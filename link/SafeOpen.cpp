// SPDX-License-Identifier: GPL-3.0-or-later
#include "SafeOpen.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <deque>

#include "LinkText.h"

namespace {

using Kind = SafeOpen::Result::Kind;

// As many symbolic links as the kernel follows in one look-up.
constexpr int kMaxLinks = 40;

SafeOpen::Result Failed(int error) {
    SafeOpen::Result result;
    result.kind = Kind::system;
    result.error = error;
    return result;
}

SafeOpen::Result NotRegular(mode_t mode) {
    SafeOpen::Result result;
    result.kind = Kind::notRegular;
    result.mode = mode;
    return result;
}

// The components of `path`, in order; a path that ends in a slash (or is
// only slashes) ends in ".", so that its last component must be a folder.
void Split(const std::string& path, std::deque<std::string>& parts,
           std::deque<std::string>::iterator at) {
    std::deque<std::string> split;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        if (slash > start) {
            split.push_back(path.substr(start, slash - start));
        }
        start = slash + 1;
    }
    if (path.empty() || path.back() == '/') {
        split.push_back(".");
    }
    parts.insert(at, split.begin(), split.end());
}

// The kernel's protected_symlinks rule: a link in a sticky, world-writable
// folder is followed only when its owner is the folder's owner or the user
// following it.
bool MayFollow(int folder, const struct stat& link) {
    struct stat info {};
    if (::fstat(folder, &info) != 0) {
        return false;
    }
    const bool shared = (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
    return !shared || link.st_uid == info.st_uid || link.st_uid == ::geteuid();
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

LinkText KindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return TARNEL_TEXT("SafeOpen", "a folder");
    }
    if (S_ISFIFO(mode)) {
        return TARNEL_TEXT("SafeOpen", "a FIFO");
    }
    if (S_ISSOCK(mode)) {
        return TARNEL_TEXT("SafeOpen", "a socket");
    }
    if (S_ISCHR(mode)) {
        return TARNEL_TEXT("SafeOpen", "a character device");
    }
    if (S_ISBLK(mode)) {
        return TARNEL_TEXT("SafeOpen", "a block device");
    }
    return TARNEL_TEXT("SafeOpen", "a special file");
}

}  // namespace

std::string SafeOpen::Result::Describe(const std::string& path, const std::string& regular) const {
    switch (kind) {
        case Kind::done:
            return {};
        case Kind::system:
            return TARNEL_TEXT("SafeOpen", "%1: %2.").Text(path, std::strerror(error));
        case Kind::notRegular:
            return TARNEL_TEXT("SafeOpen", "%1 is %2, not %3.")
                .Text(path, KindOf(mode).Text(),
                      regular.empty() ? TARNEL_TEXT("SafeOpen", "a regular file").Text() : regular);
        case Kind::unsafeLink:
            return TARNEL_TEXT("SafeOpen",
                               "%1 is not followed: it leads through a symbolic link another user "
                               "owns in the shared folder %2.")
                .Text(path, folder);
        case Kind::linkLoop:
            return TARNEL_TEXT("SafeOpen", "%1 leads through too many symbolic links (a loop).")
                .Text(path);
    }
    return {};
}

SafeOpen::Result SafeOpen::Locate(const std::string& path, Location& location) {
    if (path.empty()) {
        return Failed(ENOENT);
    }
    const bool absolute = path.front() == '/';
    location.folderPath = absolute ? "/" : ".";
    location.folder =
        LockedFile(::open(location.folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!location.folder.IsOpen()) {
        return Failed(errno);
    }
    std::deque<std::string> parts;
    Split(path, parts, parts.end());
    int links = 0;
    while (!parts.empty()) {
        std::string part = std::move(parts.front());
        parts.pop_front();
        if (part == "." && !parts.empty()) {
            continue;
        }
        LockedFile entry(
            ::openat(location.folder.get(), part.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat info {};
        if (!entry.IsOpen() || ::fstat(entry.get(), &info) != 0) {
            const int error = errno;
            if (error == ENOENT && parts.empty()) {
                location.name = part;
                location.exists = false;
                return {};
            }
            return Failed(error);
        }
        if (S_ISLNK(info.st_mode)) {
            if (++links > kMaxLinks) {
                Result loop;
                loop.kind = Kind::linkLoop;
                return loop;
            }
            if (!MayFollow(location.folder.get(), info)) {
                Result unsafe;
                unsafe.kind = Kind::unsafeLink;
                unsafe.folder = location.folderPath;
                return unsafe;
            }
            char target[PATH_MAX];
            const ssize_t length = ::readlinkat(entry.get(), "", target, sizeof target);
            if (length <= 0 || length == sizeof target) {
                return Failed(length < 0 ? errno : length == 0 ? ENOENT : ENAMETOOLONG);
            }
            const std::string next(target, static_cast<std::size_t>(length));
            if (next.front() == '/') {
                location.folderPath = "/";
                location.folder = LockedFile(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
                if (!location.folder.IsOpen()) {
                    return Failed(errno);
                }
            }
            Split(next, parts, parts.begin());
            continue;
        }
        if (parts.empty()) {
            location.name = part;
            location.exists = true;
            location.mode = info.st_mode;
            return {};
        }
        if (!S_ISDIR(info.st_mode)) {
            return Failed(ENOTDIR);
        }
        location.folder = std::move(entry);
        location.folderPath = Join(location.folderPath == "." ? "" : location.folderPath, part);
    }
    return {};
}

SafeOpen::Result SafeOpen::OpenAt(const Location& location, int flags, mode_t mode,
                                  LockedFile& file) {
    // The type first, so that no device or FIFO is even opened; then again
    // on the open descriptor, in case the file was swapped in between.
    if (location.exists && !S_ISREG(location.mode)) {
        return NotRegular(location.mode);
    }
    file = LockedFile(::openat(location.folder.get(), location.name.c_str(),
                               flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode));
    if (!file.IsOpen()) {
        return Failed(errno);
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        const int error = errno;
        file.Close();
        return Failed(error);
    }
    if (!S_ISREG(info.st_mode)) {
        file.Close();
        return NotRegular(info.st_mode);
    }
    const int status = ::fcntl(file.get(), F_GETFL);
    if (status < 0 || ::fcntl(file.get(), F_SETFL, status & ~O_NONBLOCK) != 0) {
        const int error = errno;
        file.Close();
        return Failed(error);
    }
    return {};
}

SafeOpen::Result SafeOpen::Open(const std::string& path, int flags, mode_t mode, LockedFile& file) {
    Location location;
    if (Result located = Locate(path, location); !located.ok()) {
        return located;
    }
    if (!location.exists && (flags & O_CREAT) == 0) {
        return Failed(ENOENT);
    }
    return OpenAt(location, flags, mode, file);
}

SafeOpen::Result SafeOpen::CreateTemporary(const Location& location, const std::string& prefix,
                                           std::string& name, LockedFile& file) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr int kTries = 100;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        unsigned char random[6];
        if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
            return Failed(errno);
        }
        name = prefix;
        for (const unsigned char byte : random) {
            name += kLetters[byte % (sizeof kLetters - 1)];
        }
        file = LockedFile(::openat(location.folder.get(), name.c_str(),
                                   O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (file.IsOpen()) {
            return {};
        }
        if (errno != EEXIST) {
            return Failed(errno);
        }
    }
    return Failed(EEXIST);
}
