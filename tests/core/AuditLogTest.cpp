// SPDX-License-Identifier: GPL-3.0-or-later
#include "AuditLog.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "FileSizeLimit.h"
#include "LogRecord.h"

namespace {

EepromImage Pattern(int offset) {
    EepromImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 3 + offset);
    }
    return image;
}

QList<QJsonObject> ReadLog(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QList<QJsonObject> records;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty()) {
            continue;
        }
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.left(200).toStdString();
        records.append(document.object());
    }
    return records;
}

TEST(AuditLogTest, ARecordReadsBackWithItsDigestsAndDifferences) {
    QTemporaryDir dir;
    const QString path = dir.filePath("audit.jsonl");
    AuditLog log;
    ASSERT_TRUE(log.Open(path)) << log.ErrorText().toStdString();

    EepromImage device = Pattern(1);
    device[3] = 0x00;
    device[127] = 0xFF;
    LogRecord record(LogRecord::kCliProgram, "sim:x", "verify");
    record.SetFile("/images/a.dat", Pattern(1));
    record.SetDevice(device);
    record.Compare(Pattern(1), device);
    record.SetExit(1);
    record.Finish();
    ASSERT_TRUE(log.Append(record));
    LogRecord failed(LogRecord::kGuiProgram, "/dev/parport0", "upload");
    failed.Fail("Reading the EEPROM failed at register 0: no answer.");
    ASSERT_TRUE(log.Append(failed));

    const QList<QJsonObject> records = ReadLog(path);
    ASSERT_EQ(records.size(), 2);
    const QJsonObject& first = records[0];
    // Digests worked out independently (sha256sum) for these two images.
    EXPECT_EQ(first["file_sha256"].toString(),
              "f12f5e36759db69298916a3eba5e975e9d67c1f1d32aa3e23976fa0d47490bf8");
    EXPECT_EQ(first["device_sha256"].toString(),
              "d011bff9e5e27b48676db2bb230f218490620f0526c4cbbba932c7288e53e05c");
    EXPECT_EQ(first["result"].toString(), "differs");
    EXPECT_EQ(first["exit"].toInt(), 1);
    EXPECT_EQ(first["file"].toString(), "/images/a.dat");
    EXPECT_FALSE(first["host"].toString().isEmpty());
    EXPECT_FALSE(first["user"].toString().isEmpty());
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z$)")
                    .match(first["time"].toString())
                    .hasMatch())
        << first["time"].toString().toStdString();
    const QJsonArray differences = first["differences"].toArray();
    ASSERT_EQ(differences.size(), 2);
    EXPECT_EQ(differences[0].toObject(),
              (QJsonObject{{"register", 3}, {"expected", 10}, {"actual", 0}}));
    EXPECT_EQ(differences[1].toObject()["register"].toInt(), 127);

    const QJsonObject& second = records[1];
    EXPECT_EQ(second["result"].toString(), "failed");
    EXPECT_TRUE(second["file"].isNull() && second["file_sha256"].isNull() &&
                second["device_sha256"].isNull());
    EXPECT_FALSE(second.contains("exit"));
    EXPECT_TRUE(second["message"].toString().startsWith("Reading the EEPROM failed"));
    EXPECT_FALSE(failed.ToJson(LogRecord::Fields::output).contains("host"));
}

TEST(AuditLogTest, TwoProcessesAppendingAtOnceTearNoLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath("shared.jsonl");
    constexpr int kRecords = 200;
    // Long records, well past the size the kernel writes to a pipe at once.
    const QString filler(8000, QChar('x'));
    pid_t children[2] = {};
    for (int child = 0; child < 2; ++child) {
        children[child] = ::fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) {
            AuditLog log;
            bool ok = log.Open(path);
            for (int i = 0; ok && i < kRecords; ++i) {
                LogRecord record(LogRecord::kCliProgram, QString::number(child), "write");
                record.Fail(filler + QString::number(i));
                ok = log.Append(record);
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const QList<QJsonObject> records = ReadLog(path);
    ASSERT_EQ(records.size(), 2 * kRecords);
    int perChild[2] = {};
    for (const QJsonObject& record : records) {
        ++perChild[record["port"].toString().toInt()];
        EXPECT_TRUE(record["message"].toString().startsWith(filler));
    }
    EXPECT_EQ(perChild[0], kRecords);
    EXPECT_EQ(perChild[1], kRecords);
}

TEST(AuditLogTest, ALogThatCannotBeOpenedOrWrittenSaysWhy) {
    QTemporaryDir dir;
    AuditLog log;
    EXPECT_FALSE(log.Open(dir.path()));  // a folder
    EXPECT_TRUE(log.ErrorText().startsWith("Cannot open the audit log: "))
        << log.ErrorText().toStdString();
    EXPECT_FALSE(log.Open(QString()));
    LogRecord record(LogRecord::kCliProgram, "sim", "dump");
    EXPECT_TRUE(log.Append(record));  // no log open: nothing to do

    const QString full = dir.filePath("full.jsonl");
    ASSERT_TRUE(log.Open(full));
    const FileSizeLimit limit(16);
    EXPECT_FALSE(log.Append(record));
    EXPECT_EQ(log.ErrorText(),
              "Cannot write the record to the audit log: Disk full while accessing " + full + ".");
    EXPECT_EQ(QFileInfo(full).size(), 0);  // no torn record
}

}  // namespace
