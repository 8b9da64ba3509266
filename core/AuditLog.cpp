// SPDX-License-Identifier: GPL-3.0-or-later
#include "AuditLog.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <cerrno>

#include "Database.h"
#include "FileError.h"
#include "ImageFile.h"
#include "JsonForms.h"
#include "LogRecord.h"
#include "SafeOpen.h"

std::optional<QString> AuditLog::ChoosePath(const std::optional<QString>& option) {
    if (option) {
        return option;
    }
    const QString environment = qEnvironmentVariable(kEnvironmentVariable);
    if (!environment.isEmpty()) {
        return environment;
    }
    return std::nullopt;
}

AuditLog::AuditLog() = default;

AuditLog::~AuditLog() = default;
AuditLog::AuditLog(AuditLog&&) noexcept = default;
AuditLog& AuditLog::operator=(AuditLog&&) noexcept = default;

bool AuditLog::Open(const QString& path) {
    m_file.Close();
    m_database.reset();
    m_path = path;
    m_error.clear();
    // Followed by the log's name or what went wrong with it.
    const QString what = QCoreApplication::translate("AuditLog", "Cannot open the audit log: ");
    if (Database::IsUri(path)) {
        m_path = Database::HidePassword(path);
        QString error;
        m_database = Database::Shared(path, error);
        if (!m_database) {
            m_error = what + m_path + QStringLiteral(": ") + error;
            return false;
        }
        return true;
    }
    if (const QString problem = ImageFile::NameProblem(path); !problem.isEmpty()) {
        m_error = what + problem;
        return false;
    }
    const QByteArray name = QFile::encodeName(path);
    LockedFile file;
    const SafeOpen::Result opened =
        SafeOpen::Open(name.toStdString(), O_WRONLY | O_APPEND | O_CREAT, 0666, file);
    if (opened.kind == SafeOpen::Result::Kind::system) {
        return Failed(what, opened.error);
    }
    if (!opened.ok()) {
        m_error = what + QFile::decodeName(opened.Describe(name.toStdString()).c_str());
        return false;
    }
    m_file = std::move(file);
    return true;
}

bool AuditLog::Append(const LogRecord& record) {
    if (!IsOpen()) {
        return true;
    }
    if (m_database) {
        return AppendRow(record);
    }
    const QByteArray line = JsonForms::Line(record.ToJson(LogRecord::Fields::log));
    const QString what =
        QCoreApplication::translate("AuditLog", "Cannot write the record to the audit log: ");
    while (::flock(m_file.get(), LOCK_EX) != 0) {
        if (errno != EINTR) {
            return Failed(what, errno);
        }
    }
    struct stat before {};
    const bool sized = ::fstat(m_file.get(), &before) == 0 && S_ISREG(before.st_mode);
    ssize_t written = -1;
    do {
        written = ::write(m_file.get(), line.constData(), static_cast<size_t>(line.size()));
    } while (written < 0 && errno == EINTR);
    const int error = written < 0 ? errno : ENOSPC;
    if (written >= 0 && written < line.size() && sized) {
        // Take the partial line back, so the next record starts a line.
        [[maybe_unused]] const int ignored = ::ftruncate(m_file.get(), before.st_size);
    }
    ::flock(m_file.get(), LOCK_UN);
    if (written != line.size()) {
        return Failed(what, error);
    }
    return true;
}

bool AuditLog::AppendRow(const LogRecord& record) {
    const QJsonObject json = record.ToJson(LogRecord::Fields::log);
    QString error;
    if (!m_database->Execute(
            "INSERT INTO tarnel_log (time, host, operation, port, result, record) "
            "VALUES ($1, $2, $3, NULLIF($4, ''), $5, $6)",
            {json["time"].toString(), json["host"].toString(), json["operation"].toString(),
             json["port"].toString(), json["result"].toString(),
             QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact))},
            error)) {
        m_error = QCoreApplication::translate("AuditLog",
                                              "Cannot write the record to the audit log %1: %2")
                      .arg(m_path, error);
        return false;
    }
    return true;
}

bool AuditLog::Failed(const QString& what, int error) {
    m_error = what + FileError::Text(FileError::FromErrno(error), m_path);
    return false;
}
