// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QString>
#include <optional>
#include <vector>

#include "EepromImage.h"

// One register that differs between an image and the bytes it is compared
// with.
struct RegisterDifference {
    int reg = 0;
    uint8_t expected = 0;
    uint8_t actual = 0;
    bool operator==(const RegisterDifference&) const = default;
};

// The record of one device operation on one port: what the audit log keeps
// and what --json prints. Made when the operation starts (which starts its
// clock), filled in as the operation goes, finished when it is over.
class LogRecord {
public:
    enum class Result { ok, differs, failed };
    // Which fields ToJson gives: the log's all, or the output's (no host, no user).
    enum class Fields { log, output };

    static constexpr const char* kCliProgram = "tarnel-cli";
    static constexpr const char* kGuiProgram = "tarnel";

    // Starts the record of `operation` ("read", "upload", ...) by `program`
    // on the port named `port` as given (empty: no port, null in JSON); the
    // time is now, in UTC.
    LogRecord(const QString& program, const QString& port, const QString& operation);

    // The image file: its absolute path (empty for standard input or no
    // file: null in JSON) and the digest of its 128 bytes written or compared.
    void SetFile(const QString& path, const EepromImage& image);
    // Only the image file's absolute path, for a file that could not be
    // read or written (file_sha256 stays null).
    void SetFile(const QString& path) { m_file = path; }
    // The digest of the 128 bytes read from the device.
    void SetDevice(const EepromImage& image);
    // Compares `expected` (the image) with `actual` (the device or a second
    // file): the differing registers are recorded and, when there are any,
    // the result becomes `differs` (unless the operation failed).
    void Compare(const EepromImage& expected, const EepromImage& actual);
    // The registers stamped with a unit's own value (Stamp::ToJson), and the
    // counter the value came from (empty: the value was read, not given).
    void SetStamp(const QJsonObject& stamp, const QString& counter = QString());
    // Marks the stamped value void: its unit failed, and it is never given again.
    void VoidStamp() { m_void = true; }
    // Marks the operation failed with the failure's text.
    void Fail(const QString& message);
    // tarnel-cli's exit status for this operation (the GUI has none).
    void SetExit(int exit) { m_exit = exit; }
    // Stops the clock; duration_ms is the time from the start until now. A
    // record not finished reports the time until it is turned into JSON.
    void Finish();

    Result GetResult() const;
    const QString& Message() const { return m_message; }
    const std::vector<RegisterDifference>& Differences() const { return m_differences; }
    const QString& Operation() const { return m_operation; }
    std::optional<int> Exit() const { return m_exit; }

    // The record as a JSON object with the fields time, (host, user,)
    // program, version, port, operation, file, file_sha256, device_sha256,
    // result, exit (when set), differences, message and duration_ms; with a
    // stamp also stamp, and with a counter counter and void.
    QJsonObject ToJson(Fields fields) const;
    // The name of `result` in JSON: "ok", "differs" or "failed".
    static QString ResultName(Result result);
    // SHA-256 of the 128 bytes of `image`, in lower-case hexadecimal.
    static QString Sha256(const EepromImage& image);
    // The user running this process (login name of the real user id).
    static QString UserName();

private:
    QDateTime m_time;
    QElapsedTimer m_clock;
    std::optional<qint64> m_durationMs;
    QString m_program;
    QString m_port;
    QString m_operation;
    QString m_file;
    QString m_fileSha256;
    QString m_deviceSha256;
    std::vector<RegisterDifference> m_differences;
    bool m_failed = false;
    QString m_message;
    std::optional<int> m_exit;
    QJsonObject m_stamp;
    QString m_counter;
    bool m_void = false;
};
