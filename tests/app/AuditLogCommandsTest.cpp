// SPDX-License-Identifier: GPL-3.0-or-later
// The GUI's device commands with an audit log, and the outcome each command
// reports when it has finished.
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>

#include "AppFixture.h"
#include "CommandIds.h"
#include "FileSizeLimit.h"
#include "PortFactory.h"
#include "SimEeprom.h"

namespace {

class AuditLogCommandsTest : public AppFixture {
protected:
    QString savedDirectory;
    QString log;

    void SetUp() override {
        log = PathOf("audit.jsonl");
        ASSERT_TRUE(Start({"--port", "sim", "--log", log}));
        app->Ports().Simulator()->SetWriteCycle(1);
        savedDirectory = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(savedDirectory); }

    QList<QJsonObject> Records() const {
        QList<QJsonObject> records;
        for (const QByteArray& line : ReadFile(log).split('\n')) {
            if (!line.isEmpty()) {
                records.append(QJsonDocument::fromJson(line).object());
            }
        }
        return records;
    }
};

TEST_F(AuditLogCommandsTest, EveryDeviceCommandAppendsOneRecord) {
    Send(CommandId::DownloadDefault);  // no default.dat yet: a failed record
    prompter.messages.clear();
    Send(CommandId::ToolsUpload);
    prompter.openPaths.push_back(MakeFile("image.dat", Pattern()));
    Send(CommandId::FileOpen);
    Send(CommandId::ToolsDownload);
    prompter.dialogScripts.push_back([](QDialog&) { return QDialog::Accepted; });
    Send(CommandId::ToolsVerify);
    MakeFile("default.dat", Pattern(128, 1));
    Send(CommandId::DownloadDefault);

    QList<QJsonObject> records = Records();
    ASSERT_EQ(records.size(), 5);
    EXPECT_EQ(records[0]["result"].toString(), "failed");
    EXPECT_EQ(records[0]["file"].toString(), PathOf("default.dat"));
    records.removeFirst();
    const QStringList operations = {"upload", "download", "verify", "download-default"};
    const QJsonValue files[] = {QJsonValue::Null, PathOf("image.dat"), PathOf("image.dat"),
                                PathOf("default.dat")};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(records[i]["operation"].toString(), operations[i]);
        EXPECT_EQ(records[i]["file"], files[i]) << i;
        EXPECT_EQ(records[i]["program"].toString(), "tarnel");
        EXPECT_EQ(records[i]["port"].toString(), "sim");
        EXPECT_FALSE(records[i].contains("exit"));
    }
}

TEST_F(AuditLogCommandsTest, ALogThatCannotBeOpenedStopsTheCommandBeforeTheDevice) {
    ASSERT_TRUE(Start({"--port", "sim", "--log", PathOf("no/such/folder/audit.jsonl")}));
    QSignalSpy finished(&Frame(), &CMainFrame::CommandFinished);
    app->m_image = ImageOf(Pattern());
    Send(CommandId::ToolsDownload);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("Cannot open the audit log"));
    EXPECT_EQ(app->Ports().Simulator()->CommittedBytes(), 0);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished[0][1].toBool(), false);
    EXPECT_EQ(finished[0][2].toString(), prompter.messages[0].text);
}

TEST_F(AuditLogCommandsTest, ADatabaseLogIsTakenAsAUriAndOneThatCannotBeReachedStopsTheCommand) {
    const QString uri = "postgresql:///tarnel?host=" + PathOf("no-server") + "&connect_timeout=2";
    ASSERT_TRUE(Start({"--port", "sim", "--log", uri}));
    EXPECT_EQ(app->LogPath(), uri);
    app->m_image = ImageOf(Pattern());
    Send(CommandId::ToolsDownload);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("Cannot open the audit log: " + uri + ": "))
        << prompter.messages[0].text.toStdString();
    EXPECT_EQ(app->Ports().Simulator()->CommittedBytes(), 0);
}

TEST_F(AuditLogCommandsTest, ARecordThatCannotBeWrittenIsReportedAfterTheOperation) {
    ASSERT_TRUE(Start({"--port", "sim", "--log", PathOf("full.jsonl")}));
    {
        const FileSizeLimit limit(16);
        Send(CommandId::ToolsUpload);
    }
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains("The upload itself ended with the result ok."))
        << prompter.messages[0].text.toStdString();
    EXPECT_EQ(Caption(), "Upload - TARNEL [sim]");  // the upload itself went through
}

TEST_F(AuditLogCommandsTest, CommandFinishedTellsTheOutcomeOnceTheMessagesAreClosed) {
    QSignalSpy finished(&Frame(), &CMainFrame::CommandFinished);
    bool finishedWhileShown = true;
    prompter.onMessage = [&](const ScriptedPrompter::Message&) {
        finishedWhileShown = !finished.isEmpty();
    };
    Send(CommandId::DownloadDefault);  // no default.dat
    Send(CommandId::FileNew);
    ASSERT_EQ(finished.size(), 2);
    EXPECT_FALSE(finishedWhileShown);
    EXPECT_EQ(finished[0],
              (QVariantList{CommandId::DownloadDefault, false, "default.dat was not found."}));
    EXPECT_EQ(finished[1], (QVariantList{CommandId::FileNew, true, QString()}));
}

}  // namespace
