// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <chrono>
#include <istream>
#include <optional>

#include "EepromImage.h"
#include "FileError.h"
#include "ImageFormat.h"

class LockedFile;

// Outcome of reading or writing an image file.
struct ImageFileResult {
    enum class Stage {
        Done,         // success
        Open,         // the file could not be opened (or locked, or created)
        Transfer,     // an error while reading or writing the open file
        WrongLength,  // the file holds fewer than 128 bytes, or more where refused
        Refused,      // the name, the file's type or a symbolic link rules it out
        Invalid,      // a text image (Intel HEX, S-record) that is not a whole valid image
        InUse,        // another program held the file longer than the lock wait
    };
    Stage stage = Stage::Done;
    FileError::Cause cause = FileError::Cause::none;
    QString fileName;  // the name the message shows
    qint64 size = 0;   // bytes in a file of the wrong length; -1: more than it tells
    QString refusal;   // the message of a refusal, or what is wrong in an invalid file

    bool ok() const { return stage == Stage::Done; }
    // The message for the user.
    QString Message() const;
};

// Image files: exactly the 128 register bytes, register 0 first, no header;
// or, where the name says so (ImageFormat::ForName) or the caller chooses it,
// the same 128 bytes as Intel HEX or S-record text.
// Every file is opened through SafeOpen: only regular files are images (a
// FIFO, socket, device or folder is refused before anything reads or writes
// it, and no open can block), and a symbolic link anywhere in the path is
// followed only where the kernel's protected_symlinks rule would allow it. A
// name that would not reach the system unchanged (one that was not valid
// UTF-8 and was decoded with replacement characters) is refused rather than
// turned into another name. Readers hold a shared advisory lock (flock) while
// they read, a save an exclusive one on the file it replaces, so any number
// of programs read one image at once; a lock another program holds is waited
// for up to kLockWait before the file is reported in use.
class ImageFile {
public:
    static constexpr std::chrono::milliseconds kLockWait{2000};

    // What a raw file longer than 128 bytes gives.
    enum class Length {
        prefix,  // its first 128 bytes (File > Open)
        exact,   // a refusal naming its length (tarnel-cli)
    };

    // Reads the first 128 bytes of a raw `path` into `image`, or the whole
    // of a text image, in `format` or else the one its name says. A raw file
    // shorter than 128 bytes is refused, a longer one as `length` says, and
    // so is a text image that is not valid or does not give all 128
    // registers; `image` changes only on success. With `keepOpen`, a file
    // read successfully stays open and locked (shared) in it.
    static ImageFileResult Read(const QString& path, EepromImage& image,
                                LockedFile* keepOpen = nullptr,
                                std::optional<ImageFormat::Kind> format = std::nullopt,
                                Length length = Length::prefix);
    // Reads an image of `format` from `stream` (standard input), named
    // `name` in messages: exactly 128 bytes of a raw one, refused as a file
    // would be when it ends before them or goes on after them, or all of a
    // text one;
    // `image` changes only on success.
    static ImageFileResult ReadStream(std::istream& stream, const QString& name, EepromImage& image,
                                      ImageFormat::Kind format = ImageFormat::Kind::raw);
    // Replaces `path` with `image` in `format`, or else the one its name
    // says (raw: the 128 bytes), atomically: the contents go to a
    // temporary file with a short fixed-length name in the same folder,
    // flushed to disk, which is then renamed over the target, keeping the old
    // file's owner and permissions. A failure, or SIGINT, SIGTERM or SIGHUP,
    // leaves the old file as it was and removes the temporary file. Where the folder
    // allows no new file but the file itself is writable, the file is
    // rewritten in place instead (truncated, written, flushed to disk). A
    // symbolic link, in the folders on the way or at the end, is followed
    // except where the kernel's protected_symlinks rule would refuse to
    // follow it (another user's link in a sticky, world-writable folder); a
    // loop is refused. Two saves of one file at once take turns.
    static ImageFileResult Write(const QString& path, const EepromImage& image,
                                 std::optional<ImageFormat::Kind> format = std::nullopt);
    // Checks what Write checks before it writes (the name, the symbolic
    // links, the type of the file); touches nothing. Done when Write may go on.
    static ImageFileResult CheckTarget(const QString& path);
    // Empty when the file name `path` reaches the system exactly as given;
    // otherwise why it cannot be used (a name that was not valid UTF-8 came
    // in with replacement characters and would name another file).
    static QString NameProblem(const QString& path);
};
