// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

#include "LockedFile.h"

class LogRecord;

// The audit log: a JSON Lines file to which every device operation appends
// one record. Several processes may share one log: it is opened for
// appending, and each record is written whole, in one write, under an
// exclusive advisory lock (flock), so records never interleave.
class AuditLog {
public:
    static constexpr const char* kEnvironmentVariable = "TARNEL_LOG";

    // The log asked for: `option` (the --log value) when the option was
    // given, even empty; else the environment variable TARNEL_LOG when set
    // and not empty; else none.
    static std::optional<QString> ChoosePath(const std::optional<QString>& option);

    // Opens `path` for appending through SafeOpen, creating it (mode 0666
    // less the umask) when it is not there; a log open before is closed.
    // Returns false, with ErrorText(), when it cannot be opened (an empty
    // name, a name that is not valid UTF-8, a FIFO or a folder included).
    bool Open(const QString& path);
    bool IsOpen() const { return m_file.IsOpen(); }
    const QString& Path() const { return m_path; }
    // Appends `record` with all its fields as one line: waits for the
    // exclusive lock, writes the line in one write and drops the lock. A
    // line that could not be written whole is cut off again, so the log
    // holds no torn record. Without an open log it does nothing and returns
    // true. Returns false, with ErrorText(), when the record was not written.
    bool Append(const LogRecord& record);
    // What went wrong in the last Open or Append, for the user.
    const QString& ErrorText() const { return m_error; }

private:
    bool Failed(const QString& what, int error);

    LockedFile m_file;
    QString m_path;
    QString m_error;
};
