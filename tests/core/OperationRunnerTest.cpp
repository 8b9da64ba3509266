// SPDX-License-Identifier: GPL-3.0-or-later
#include "OperationRunner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "DeviceLink.h"
#include "FileSizeLimit.h"
#include "LogRecord.h"
#include "PortError.h"
#include "PortFactory.h"

namespace {

LogRecord Record(const char* operation) {
    return LogRecord(LogRecord::kCliProgram, "sim", operation);
}

TEST(OperationRunnerTest, WhateverAnOperationThrowsIsAFailedResultThatFailsTheRecord) {
    struct Case {
        const char* name;
        std::function<LinkResult()> operation;
        const char* message;  // empty: success
    };
    for (const Case& c : {
             Case{"success", [] { return LinkResult::Success(); }, ""},
             Case{"device result", [] { return LinkResult::ReadFailure(3, "no ack"); },
                  "Reading the EEPROM failed at register 3"},
             Case{"port error", []() -> LinkResult { throw PortError("The port is gone."); },
                  "The port is gone."},
             Case{"other exception",
                  []() -> LinkResult { throw std::runtime_error("out of something"); },
                  "out of something"},
             Case{"not an exception", []() -> LinkResult { throw 42; },
                  "The command failed for an unknown reason."},
         }) {
        OperationRunner runner;
        LogRecord record = Record("read");
        const LinkResult result = runner.Run(record, c.operation);
        const bool ok = *c.message == '\0';
        EXPECT_EQ(result.ok, ok) << c.name;
        EXPECT_EQ(result.message.rfind(c.message, 0), 0u) << c.name << ": " << result.message;
        EXPECT_EQ(record.GetResult(), ok ? LogRecord::Result::ok : LogRecord::Result::failed)
            << c.name;
        EXPECT_EQ(record.Message().toStdString(), result.message) << c.name;
    }
}

TEST(OperationRunnerTest, ThePortIsOpenedForTheOperationOnlyAndAnUnknownOneFails) {
    OperationRunner runner;
    PortFactory ports("sim");
    LogRecord record = Record("read");
    int runs = 0;
    EXPECT_TRUE(runner.RunOnLink(ports, record, [&](DeviceLink& link) {
        ++runs;
        EepromImage image{};
        return link.ReadAll(image);
    }));
    PortFactory unknown("nonsense");
    EXPECT_FALSE(runner.RunOnLink(unknown, record, [&](DeviceLink&) {
        ++runs;
        return LinkResult::Success();
    }));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(record.GetResult(), LogRecord::Result::failed);
}

TEST(OperationRunnerTest, ATraceThatCannotBeWrittenFailsOnlyARecordThatSucceeded) {
    const QTemporaryDir dir;
    for (const bool succeeded : {true, false}) {
        PortFactory ports("sim");
        ports.SetTrace(QDir(dir.path()).filePath("t.vcd").toStdString());
        OperationRunner runner;
        LogRecord record = Record("read");
        EXPECT_FALSE(runner.FlushTrace(ports, record, succeeded)) << "nothing traced yet";
        std::optional<QString> error;
        {
            const FileSizeLimit limit(1024);  // a read's trace is longer
            runner.RunOnLink(ports, record, [](DeviceLink& link) {
                EepromImage image{};
                return link.ReadAll(image);
            });
            error = runner.FlushTrace(ports, record, succeeded);
        }
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->startsWith("Cannot write the trace file")) << error->toStdString();
        EXPECT_EQ(record.GetResult(),
                  succeeded ? LogRecord::Result::failed : LogRecord::Result::ok);
    }
}

TEST(OperationRunnerTest, ATraceKeepsEveryOperationOfTheRunInOneFileOnOneClock) {
    const QTemporaryDir dir;
    const QString trace = QDir(dir.path()).filePath("run.vcd");
    PortFactory ports("sim");
    ports.SetTrace(trace.toStdString());
    OperationRunner runner;
    for (const char* operation : {"upload", "verify"}) {
        LogRecord record = Record(operation);
        EXPECT_TRUE(runner.RunOnLink(ports, record, [](DeviceLink& link) {
            EepromImage image{};
            return link.ReadAll(image);
        }));
        EXPECT_FALSE(runner.FlushTrace(ports, record, true));
    }
    QFile file(trace);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    qint64 last = 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith('#')) {
            const qint64 time = line.mid(1).toLongLong();
            EXPECT_GT(time, last);
            last = time;
        }
    }
    EXPECT_GT(last, 2 * 2911);  // both reads, one after the other
}

TEST(OperationRunnerTest, ALogThatCannotTakeTheRecordSaysHowTheOperationEnded) {
    const QTemporaryDir dir;
    EXPECT_FALSE(OperationRunner().OpenLog(QDir(dir.path()).filePath("no/folder/log.jsonl")));
    for (const std::optional<int> exit : {std::optional<int>(), std::optional<int>(3)}) {
        OperationRunner runner;
        ASSERT_TRUE(runner.OpenLog(QDir(dir.path()).filePath("full.jsonl")));
        LogRecord record = Record("write");
        record.Fail("no ack");
        if (exit) {
            record.SetExit(*exit);
        }
        std::optional<QString> error;
        {
            const FileSizeLimit limit(16);
            error = runner.Append(record);
        }
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->endsWith(exit ? " The write itself ended with the result failed "
                                           "(exit status 3)."
                                         : " The write itself ended with the result failed."))
            << error->toStdString();
    }
    OperationRunner none;
    LogRecord record = Record("read");
    EXPECT_FALSE(none.Append(record)) << "no log kept: nothing to write";
}

}  // namespace
