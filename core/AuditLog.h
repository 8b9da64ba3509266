// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "LockedFile.h"

class Database;
class LogRecord;

// The audit log: a JSON Lines file to which every device operation appends
// one record. Several processes may share one log: it is opened for
// appending, and each record is written whole, in one write, under an
// exclusive advisory lock (flock), so records never interleave. Or a
// PostgreSQL database (a postgresql:// URI), where each record is a row of
// the table tarnel_log (time, host, operation, port, result and the whole
// record as jsonb), inserted in a transaction of its own.
class AuditLog {
public:
    static constexpr const char* kEnvironmentVariable = "TARNEL_LOG";

    AuditLog();
    ~AuditLog();
    AuditLog(AuditLog&&) noexcept;
    AuditLog& operator=(AuditLog&&) noexcept;

    // The log asked for: `option` (the --log value) when the option was
    // given, even empty; else the environment variable TARNEL_LOG when set
    // and not empty; else none.
    static std::optional<QString> ChoosePath(const std::optional<QString>& option);

    // Opens `path` for appending through SafeOpen, creating it (mode 0666
    // less the umask) when it is not there, or connects to the database the
    // URI `path` names; a log open before is closed. Returns false, with
    // ErrorText(), when it cannot be opened or reached (an empty name, a name
    // that is not valid UTF-8, a FIFO or a folder included).
    bool Open(const QString& path);
    bool IsOpen() const { return m_file.IsOpen() || m_database; }
    const QString& Path() const { return m_path; }  // a URI without its password
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
    // Inserts `record` as a row of the database's log.
    bool AppendRow(const LogRecord& record);

    LockedFile m_file;
    std::shared_ptr<Database> m_database;  // shared with the run's other ports
    QString m_path;
    QString m_error;
};
