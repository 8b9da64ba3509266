// SPDX-License-Identifier: GPL-3.0-or-later
#include "AuditLog.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

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

bool AuditLog::Open(const QString& path) {
    m_file.Close();
    m_path = path;
    m_error.clear();
    const QString what = QStringLiteral("Cannot open the audit log: ");
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
    const QByteArray line = JsonForms::Line(record.ToJson(LogRecord::Fields::log));
    const QString what = QStringLiteral("Cannot write the record to the audit log: ");
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

bool AuditLog::Failed(const QString& what, int error) {
    m_error = what + FileError::Text(FileError::FromErrno(error), m_path);
    return false;
}
