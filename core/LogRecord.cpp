// SPDX-License-Identifier: GPL-3.0-or-later
#include "LogRecord.h"

#include <pwd.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QJsonArray>
#include <QSysInfo>

#include "VerifyReport.h"

namespace {
// A string field, or null when it is empty.
QJsonValue OrNull(const QString& text) {
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}
}  // namespace

LogRecord::LogRecord(const QString& program, const QString& port, const QString& operation)
    : m_time(QDateTime::currentDateTimeUtc()),
      m_program(program),
      m_port(port),
      m_operation(operation) {
    m_clock.start();
}

void LogRecord::SetFile(const QString& path, const EepromImage& image) {
    m_file = path;
    m_fileSha256 = Sha256(image);
}

void LogRecord::SetDevice(const EepromImage& image) {
    m_deviceSha256 = Sha256(image);
}

void LogRecord::Compare(const EepromImage& expected, const EepromImage& actual) {
    m_differences.clear();
    for (int reg : VerifyReport::DifferingRegisters(expected, actual)) {
        m_differences.push_back({reg, expected[reg], actual[reg]});
    }
}

void LogRecord::SetStamp(const QJsonObject& stamp, const QString& counter) {
    m_stamp = stamp;
    m_counter = counter;
}

void LogRecord::Fail(const QString& message) {
    m_failed = true;
    m_message = message;
}

void LogRecord::Finish() {
    m_durationMs = m_clock.elapsed();
}

LogRecord::Result LogRecord::GetResult() const {
    if (m_failed) {
        return Result::failed;
    }
    return m_differences.empty() ? Result::ok : Result::differs;
}

QJsonObject LogRecord::ToJson(Fields fields) const {
    QJsonArray differences;
    for (const RegisterDifference& difference : m_differences) {
        differences.append(QJsonObject{{"register", difference.reg},
                                       {"expected", difference.expected},
                                       {"actual", difference.actual}});
    }
    QJsonObject object{
        {"time", m_time.toString(Qt::ISODateWithMs)},
        {"program", m_program},
        {"version", QStringLiteral(TARNEL_VERSION)},
        {"port", OrNull(m_port)},
        {"operation", m_operation},
        {"file", OrNull(m_file)},
        {"file_sha256", OrNull(m_fileSha256)},
        {"device_sha256", OrNull(m_deviceSha256)},
        {"result", ResultName(GetResult())},
        {"differences", differences},
        {"message", m_message},
        {"duration_ms", m_durationMs.value_or(m_clock.elapsed())},
    };
    if (m_exit) {
        object.insert("exit", *m_exit);
    }
    if (!m_stamp.isEmpty()) {
        object.insert("stamp", m_stamp);
    }
    if (!m_counter.isEmpty()) {
        object.insert("counter", m_counter);
        object.insert("void", m_void);
    }
    if (fields == Fields::log) {
        object.insert("host", QSysInfo::machineHostName());
        object.insert("user", UserName());
    }
    return object;
}

QString LogRecord::ResultName(Result result) {
    switch (result) {
        case Result::ok:
            return QStringLiteral("ok");
        case Result::differs:
            return QStringLiteral("differs");
        case Result::failed:
            break;
    }
    return QStringLiteral("failed");
}

QString LogRecord::Sha256(const EepromImage& image) {
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()),
                           static_cast<qsizetype>(image.size()));
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QString LogRecord::UserName() {
    const uid_t uid = ::getuid();
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr) {
        return QString::fromLocal8Bit(found->pw_name);
    }
    return QString::number(uid);
}
