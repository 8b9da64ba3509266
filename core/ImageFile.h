#pragma once

#include <QString>
#include <istream>

#include "EepromImage.h"
#include "FileError.h"

class LockedFile;

// Outcome of reading or writing an image file.
struct ImageFileResult {
    enum class Stage {
        Done,      // success
        Open,      // the file could not be opened (or locked, or created)
        Transfer,  // an error while reading or writing the open file
        Short,     // the file holds fewer than 128 bytes
    };
    Stage stage = Stage::Done;
    FileError::Cause cause = FileError::Cause::none;
    QString fileName;  // the name the message shows; empty for a failing read
    qint64 size = 0;   // bytes in a short file

    bool ok() const { return stage == Stage::Done; }
    // The message for the user.
    QString Message() const;
};

// Image files: exactly the 128 register bytes, register 0 first, no header.
// A file being read or replaced is held under an exclusive advisory lock
// (flock) until the read or the replacement is done, so a file another tarnel
// holds gives a sharing violation.
class ImageFile {
public:
    // Reads the first 128 bytes of `path` into `image`. A file shorter than
    // 128 bytes is refused; `image` changes only on success. With `keepOpen`,
    // a file read successfully stays open and locked in it.
    static ImageFileResult Read(const QString& path, EepromImage& image,
                                LockedFile* keepOpen = nullptr);
    // Reads an image from `stream` (standard input), named `name` in
    // messages: its first 128 bytes, refused as a file would be when it ends
    // before them; `image` changes only on success.
    static ImageFileResult ReadStream(std::istream& stream, const QString& name,
                                      EepromImage& image);
    // Replaces `path` with the 128 bytes of `image` atomically: they go to a
    // temporary file in the same folder, flushed to disk, which is then
    // renamed over the target, keeping the old file's permissions. A failure
    // leaves the old file as it was and removes the temporary file. A
    // symbolic link is followed: the file it points to is replaced.
    static ImageFileResult Write(const QString& path, const EepromImage& image);
};
