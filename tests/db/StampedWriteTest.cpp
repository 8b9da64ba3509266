// SPDX-License-Identifier: GPL-3.0-or-later
// tarnel-cli's stamped writes and counters, run as a production line runs
// them: processes at once, on simulated switches, with counters in files and
// in the PostgreSQL server the test fixture started, and processes killed.
#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <iostream>
#include <map>
#include <memory>
#include <set>

#include "Database.h"
#include "EepromImage.h"
#include "QtPrinters.h"
#include "SimEeprom.h"

namespace {

constexpr int kProcesses = 8;
constexpr int kPortsEach = 25;
const QString kStamp = QStringLiteral("16:6");
constexpr int kStampRegister = 16;
constexpr int kStampLength = 6;
constexpr uint64_t kFirst = 0x001122000000;

struct Outcome {
    int exit = -1;
    QString out;
    QString err;
};

QString DatabaseUri() {
    return qEnvironmentVariable("TARNEL_TEST_DATABASE");
}

QByteArray Bytes(const EepromImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
}

// An image that differs from a new simulated switch in every register.
EepromImage Image() {
    EepromImage image = SimEeprom::Pattern();
    for (uint8_t& byte : image) {
        byte ^= 0x5A;
    }
    return image;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

uint64_t ValueAt(const QByteArray& bytes) {
    uint64_t value = 0;
    for (int i = 0; i < kStampLength; ++i) {
        value = value << 8 | static_cast<uint8_t>(bytes[kStampRegister + i]);
    }
    return value;
}

// The two kinds of counter, and the log that goes with each.
enum class Kind { file, database };

void PrintTo(Kind kind, std::ostream* out) {
    *out << (kind == Kind::file ? "file" : "database");
}

class StampedWriteTest : public ::testing::TestWithParam<Kind> {
protected:
    QTemporaryDir dir;
    QString image = dir.filePath("image.bin");
    QString counter;
    QString log;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

    void SetUp() override {
        QFile file(image);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Bytes(Image()));
        file.close();
        // A name of its own in the shared database for every test and run.
        const QString name =
            QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name())
                .replace('/', '-') +
            '-' + QString::number(QCoreApplication::applicationPid());
        if (GetParam() == Kind::database) {
            ASSERT_FALSE(DatabaseUri().isEmpty()) << "TARNEL_TEST_DATABASE is not set";
            counter = DatabaseUri() + '#' + name;
            log = DatabaseUri() + "&application_name=" + name;
        } else {
            counter = dir.filePath("mac.counter");
            log = dir.filePath("audit.jsonl");
        }
    }

    QStringList Ports(const QString& prefix, int count) const {
        QStringList ports;
        for (int i = 0; i < count; ++i) {
            ports << "--port"
                  << "sim:" + dir.filePath(prefix + QString::number(i));
        }
        return ports;
    }
    QStringList StampedWrite(const QString& prefix, int ports = 1) const {
        return Ports(prefix, ports) + QStringList{"-q",      "--log", log,         "write", image,
                                                  "--stamp", kStamp,  "--counter", counter};
    }
    std::unique_ptr<QProcess> Start(const QStringList& arguments) const {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral(TARNEL_CLI_PATH), arguments);
        return process;
    }
    Outcome Run(const QStringList& arguments) const {
        const std::unique_ptr<QProcess> process = Start(arguments);
        EXPECT_TRUE(process->waitForFinished(60000));
        return {process->exitCode(), QString::fromUtf8(process->readAllStandardOutput()),
                QString::fromUtf8(process->readAllStandardError())};
    }
    void Create(uint64_t first, uint64_t last) const {
        const Outcome created =
            Run({"counter", "create", counter, QString("0x%1").arg(first, 12, 16, QChar('0')),
                 QString("0x%1").arg(last, 12, 16, QChar('0'))});
        ASSERT_EQ(created.exit, 0) << created.err.toStdString();
    }
    QJsonObject Show() const {
        const Outcome shown = Run({"counter", "show", counter, "--json"});
        EXPECT_EQ(shown.exit, 0) << shown.err.toStdString();
        return QJsonDocument::fromJson(shown.out.toUtf8()).object();
    }
    // The records of this test's writes.
    QList<QJsonObject> Records() const {
        QList<QJsonObject> records;
        QList<QByteArray> lines;
        if (GetParam() == Kind::file) {
            lines = Contents(log).split('\n');
        } else {
            Database database;
            QString error;
            EXPECT_TRUE(database.Connect(DatabaseUri(), error)) << error.toStdString();
            std::vector<Database::Row> rows;
            EXPECT_TRUE(database.Execute(
                "SELECT record::text FROM tarnel_log WHERE record->>'counter' = $1 ORDER BY id",
                {counter}, error, &rows))
                << error.toStdString();
            for (const Database::Row& row : rows) {
                lines << row[0].toUtf8();
            }
        }
        for (const QByteArray& line : lines) {
            if (!line.isEmpty()) {
                records << QJsonDocument::fromJson(line).object();
            }
        }
        return records;
    }
    // The value of every switch whose stamped registers were all written
    // (the register after them was), by the switch's file.
    std::map<QString, uint64_t> StampedSwitches() const {
        std::map<QString, uint64_t> values;
        const EepromImage expected = Image();
        for (const QFileInfo& entry : QDir(dir.path()).entryInfoList({"p*"}, QDir::Files)) {
            const QByteArray bytes = Contents(entry.filePath());
            // A process killed between creating a switch's file and filling
            // it leaves it empty: that switch was never written.
            if (bytes.isEmpty()) {
                continue;
            }
            EXPECT_EQ(bytes.size(), 128) << entry.filePath().toStdString();
            if (bytes.size() == 128 && static_cast<uint8_t>(bytes[kStampRegister + kStampLength]) ==
                                           expected[kStampRegister + kStampLength]) {
                values[entry.filePath()] = ValueAt(bytes);
            }
        }
        return values;
    }
    // Checks that no value went to two switches or into two records, and
    // that every switch's value is in no other switch's record.
    void ExpectNoValueTwice() const {
        std::map<uint64_t, QString> owners;
        for (const auto& [path, value] : StampedSwitches()) {
            const auto [at, fresh] = owners.emplace(value, path);
            EXPECT_TRUE(fresh) << "value " << value << " in " << path.toStdString() << " and "
                               << at->second.toStdString();
        }
        std::set<QString> recorded;
        for (const QJsonObject& record : Records()) {
            const QString value = record["stamp"].toObject()["value"].toString();
            EXPECT_TRUE(recorded.insert(value).second)
                << "value " << value.toStdString() << " in two records";
            const auto owner = owners.find(value.toULongLong(nullptr, 16));
            if (owner != owners.end()) {
                EXPECT_EQ("sim:" + owner->second, record["port"].toString());
            }
        }
    }
};

TEST_P(StampedWriteTest, ProcessesAtOnceGiveEverySwitchAValueOfItsOwn) {
    Create(kFirst, 0x0011220FFFFF);
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < kProcesses; ++i) {
        processes.push_back(Start(StampedWrite("p" + QString::number(i) + "-", kPortsEach)));
    }
    for (const std::unique_ptr<QProcess>& process : processes) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }
    const std::map<QString, uint64_t> switches = StampedSwitches();
    std::set<uint64_t> values;
    for (const auto& [path, value] : switches) {
        values.insert(value);
    }
    EXPECT_EQ(switches.size(), static_cast<size_t>(kProcesses * kPortsEach));
    EXPECT_EQ(values.size(), static_cast<size_t>(kProcesses * kPortsEach));
    EXPECT_EQ(*values.begin(), kFirst);
    EXPECT_EQ(*values.rbegin(), kFirst + kProcesses * kPortsEach - 1);
    EXPECT_EQ(Show()["next"].toString(), "0x0011220000C8");
    const QList<QJsonObject> records = Records();
    EXPECT_EQ(records.size(), kProcesses * kPortsEach);
    for (const QJsonObject& record : records) {
        EXPECT_EQ(record["result"].toString(), "ok");
        EXPECT_FALSE(record["void"].toBool());
    }
    ExpectNoValueTwice();
}

TEST_P(StampedWriteTest, ProcessesKilledAtRandomMomentsNeverRepeatAValue) {
    Create(kFirst, 0x0011220FFFFF);
    for (int round = 0; round < 2; ++round) {
        std::vector<std::unique_ptr<QProcess>> processes;
        for (int i = 0; i < kProcesses; ++i) {
            processes.push_back(
                Start(StampedWrite(QString("p%1-%2-").arg(round).arg(i), kPortsEach / 5)));
        }
        for (const std::unique_ptr<QProcess>& process : processes) {
            QThread::msleep(QRandomGenerator::global()->bounded(250));
            ::kill(static_cast<pid_t>(process->processId()), SIGKILL);
        }
        for (const std::unique_ptr<QProcess>& process : processes) {
            process->waitForFinished(60000);
        }
    }
    // After the kills the counter goes on where it was, and gives no value
    // that a killed process took.
    ASSERT_EQ(Run(StampedWrite("p-after-", 5)).exit, 0);
    ExpectNoValueTwice();
    const size_t stamped = StampedSwitches().size();
    EXPECT_GE(stamped, 5u);
    const uint64_t taken = Show()["next"].toString().toULongLong(nullptr, 16) - kFirst;
    std::cout << "killed " << 2 * kProcesses << " processes of " << kPortsEach / 5
              << " ports each, then wrote 5 switches: " << taken << " values taken, " << stamped
              << " switches stamped, " << Records().size() << " records, no value twice\n";
}

TEST_P(StampedWriteTest, AWriteThatFailsVoidsItsValue) {
    Create(kFirst, kFirst + 9);
    environment.insert("TARNEL_SIM_FAULT", "write-protected");
    const Outcome failed = Run(StampedWrite("p-protected-"));
    EXPECT_EQ(failed.exit, 1);
    EXPECT_TRUE(failed.err.contains("The value 001122000000 is void: it is never given again."))
        << failed.err.toStdString();
    environment.remove("TARNEL_SIM_FAULT");
    ASSERT_EQ(Run(StampedWrite("p-good-")).exit, 0);
    EXPECT_EQ(StampedSwitches().begin()->second, kFirst + 1);
    const QJsonObject shown = Show();
    EXPECT_EQ(shown["void"].toArray(), QJsonArray{"0x001122000000"});
    EXPECT_EQ(shown["left"].toString(), "8");
    const QList<QJsonObject> records = Records();
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0]["result"].toString(), "differs");
    EXPECT_TRUE(records[0]["void"].toBool());
    EXPECT_FALSE(records[1]["void"].toBool());
}

TEST_P(StampedWriteTest, AnExhaustedCounterStopsBeforeTheSwitchIsTouched) {
    Create(kFirst, kFirst);
    ASSERT_EQ(Run(StampedWrite("p-first-")).exit, 0);
    const Outcome exhausted = Run(StampedWrite("p-second-"));
    EXPECT_EQ(exhausted.exit, 4);
    EXPECT_TRUE(exhausted.err.contains("has no values left: last was 0x001122000000"))
        << exhausted.err.toStdString();
    EXPECT_EQ(Contents(dir.filePath("p-second-0")), Bytes(SimEeprom::Pattern()));
    const Outcome shown = Run({"counter", "show", counter});
    EXPECT_TRUE(shown.out.contains("next none\nleft 0\n")) << shown.out.toStdString();
}

TEST_P(StampedWriteTest, AStampedImageReadsBackWithOnlyItsStampDifferentAndVerifies) {
    Create(0x00112200000F, 0x0011220FFFFF);
    const QStringList port{"--port", "sim:" + dir.filePath("p0")};
    const Outcome written = Run(port + QStringList{"--json", "--log", log, "write", image,
                                                   "--stamp", kStamp, "--counter", counter});
    ASSERT_EQ(written.exit, 0) << written.err.toStdString();
    const QJsonObject stamp{
        {"register", 16}, {"length", 6}, {"order", "be"}, {"value", "00112200000F"}};
    const QJsonObject result = QJsonDocument::fromJson(written.out.toUtf8()).object();
    EXPECT_EQ(result["stamp"].toObject(), stamp);
    EXPECT_EQ(Records().value(0)["stamp"].toObject(), stamp);
    const QByteArray device = Contents(dir.filePath("p0"));
    const QByteArray file = Bytes(Image());
    for (int reg = 0; reg < 128; ++reg) {
        EXPECT_EQ(device[reg] != file[reg], reg >= 16 && reg < 22) << "register " << reg;
    }
    EXPECT_EQ(result["registers"].toArray()[21].toInt(), 0x0F);

    const Outcome verified = Run(port + QStringList{"verify", image, "--stamp", kStamp});
    EXPECT_EQ(verified.exit, 0) << verified.err.toStdString();
    EXPECT_EQ(verified.out, "Registers 16 to 21 hold 00112200000F.\nPASS!\n");
    const Outcome reversed =
        Run(port + QStringList{"--json", "verify", image, "--stamp", "16:6:le"});
    EXPECT_EQ(QJsonDocument::fromJson(reversed.out.toUtf8())
                  .object()["stamp"]
                  .toObject()["value"]
                  .toString(),
              "0F0000221100");
    const Outcome unstamped = Run(port + QStringList{"verify", image});
    EXPECT_EQ(unstamped.exit, 1);
    EXPECT_TRUE(unstamped.out.endsWith("6 registers differ.\n")) << unstamped.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Counters, StampedWriteTest, ::testing::Values(Kind::file, Kind::database),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                             return info.param == Kind::file ? "File" : "Database";
                         });

// The database's own cases: a server that cannot be reached, and the rows.
class DatabaseTest : public StampedWriteTest {};

TEST_P(DatabaseTest, AnUnreachableCounterOrLogStopsBeforeTheSwitchIsTouched) {
    const QString nowhere =
        "postgresql:///tarnel?host=" + dir.filePath("no-server") + "&user=tarnel";
    const QStringList port{"--port", "sim:" + dir.filePath("p0")};
    const Outcome unreachableCounter =
        Run(port + QStringList{"write", image, "--stamp", kStamp, "--counter", nowhere + "#c"});
    EXPECT_EQ(unreachableCounter.exit, 4);
    EXPECT_TRUE(unreachableCounter.err.contains("Cannot use counter " + nowhere + "#c"))
        << unreachableCounter.err.toStdString();
    EXPECT_EQ(Contents(dir.filePath("p0")), Bytes(SimEeprom::Pattern()));
    const Outcome unreachableLog = Run(port + QStringList{"--log", nowhere, "write", image});
    EXPECT_EQ(unreachableLog.exit, 4);
    EXPECT_TRUE(unreachableLog.err.contains("Cannot open the audit log: " + nowhere))
        << unreachableLog.err.toStdString();
    EXPECT_EQ(Contents(dir.filePath("p0")), Bytes(SimEeprom::Pattern()));
    const Outcome missing = Run({"counter", "show", counter});
    EXPECT_EQ(missing.exit, 4);
    EXPECT_TRUE(missing.err.contains("is not there")) << missing.err.toStdString();
    EXPECT_EQ(Run({"counter", "show", DatabaseUri()}).exit, 2);
}

TEST_P(DatabaseTest, EveryRecordIsARowWithItsFields) {
    Create(1, 1000);
    ASSERT_EQ(Run(StampedWrite("p-")).exit, 0);
    ASSERT_EQ(Run({"--port", "sim:" + dir.filePath("p-0"), "--log", log, "dump"}).exit, 0);
    Database database;
    QString error;
    ASSERT_TRUE(database.Connect(DatabaseUri(), error)) << error.toStdString();
    std::vector<Database::Row> rows;
    ASSERT_TRUE(
        database.Execute("SELECT operation, port, result, host = record->>'host', "
                         "time = (record->>'time')::timestamptz FROM tarnel_log "
                         "WHERE port = $1 ORDER BY id",
                         {"sim:" + dir.filePath("p-0")}, error, &rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (Database::Row{"write", "sim:" + dir.filePath("p-0"), "ok", "t", "t"}));
    EXPECT_EQ(rows[1][0], "dump");
    const Outcome again = Run({"counter", "create", counter, "1", "5"});
    EXPECT_EQ(again.exit, 4);
    EXPECT_TRUE(again.err.contains("exists already"));
}

INSTANTIATE_TEST_SUITE_P(Server, DatabaseTest, ::testing::Values(Kind::database),
                         [](const ::testing::TestParamInfo<Kind>&) { return "Database"; });

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
