// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/file.h>

#include <QDir>
#include <QFileInfo>
#include <stdexcept>

#include "AppFixture.h"
#include "CommandIds.h"
#include "FileSizeLimit.h"
#include "PortFactory.h"
#include "PortSession.h"
#include "SimEeprom.h"
#include "VerifyReport.h"

namespace {

using Icon = Prompter::Icon;

const QString kDone =
    "Download is completed, please reset the switch for the new settings to take effect.";

// The device commands through the document's handlers, against the run's
// simulated switch.
class DeviceCommandsTest : public AppFixture {
protected:
    SimEeprom* sim = nullptr;

    void SetUp() override {
        ASSERT_TRUE(Start({"--port", "sim"}));
        sim = app->Ports().Simulator();
        ASSERT_NE(sim, nullptr);
        sim->SetWriteCycle(1);  // busy for one address attempt after each write
        QDir::setCurrent(dir.path());
    }

    void ExpectOnlyMessage(const QString& part, Icon icon, const QString& caption = "TARNEL") {
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_TRUE(prompter.messages[0].text.contains(part))
            << prompter.messages[0].text.toStdString();
        EXPECT_EQ(prompter.messages[0].caption, caption);
        EXPECT_EQ(prompter.messages[0].icon, icon);
        prompter.messages.clear();
    }
    // Opens `name` in the fixture's folder so that the current file name and
    // title are known.
    void OpenFile(const QString& name, const QByteArray& bytes) {
        prompter.openPaths.push_back(MakeFile(name, bytes));
        Send(CommandId::FileOpen);
    }
    // Runs Verify, keeping the report's texts.
    std::vector<ReportText> Verify() {
        std::vector<ReportText> texts;
        prompter.dialogScripts.push_back([&](QDialog&) {
            texts = VerifyReport::Layout(app->m_image, app->m_readBack);
            return QDialog::Accepted;
        });
        Send(CommandId::ToolsVerify);
        return texts;
    }
};

TEST_F(DeviceCommandsTest, UploadReadsTheSwitchRepaintsAndSetsTheTitle) {
    OpenFile("a.dat", Pattern());
    const int paints = View().PaintCount();
    EXPECT_TRUE(Send(CommandId::ToolsUpload));
    EXPECT_EQ(app->m_image, SimEeprom::Pattern());
    EXPECT_GT(View().PaintCount(), paints);
    EXPECT_EQ(Caption(), "Upload - TARNEL [sim]");
    EXPECT_EQ(app->m_strImageFile, PathOf("a.dat"));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(DeviceCommandsTest, APortThatCannotBeOpenedIsReportedByEveryDeviceCommand) {
    ASSERT_TRUE(Start({"--port", "/dev/parport_tarnel_absent"}));
    app->m_image = ImageOf(Pattern());
    for (int command : {CommandId::ToolsUpload, CommandId::ToolsDownload, CommandId::ToolsVerify}) {
        Send(command);
        ExpectOnlyMessage("Cannot open the parallel port /dev/parport_tarnel_absent", Icon::Stop);
    }
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_EQ(app->m_readBack, EepromImage{});
    EXPECT_TRUE(prompter.dialogsRun.empty());
    EXPECT_EQ(Caption(), "Untitled - TARNEL [/dev/parport_tarnel_absent]");
}

TEST_F(DeviceCommandsTest, DownloadWritesTheImageAndAsksForAReset) {
    OpenFile("a.dat", Pattern());
    Send(CommandId::ToolsDownload);
    ExpectOnlyMessage(kDone, Icon::Information);
    EXPECT_EQ(sim->Memory(), ImageOf(Pattern()));
    EXPECT_EQ(Caption(), PathOf("a.dat") + " - TARNEL [sim]");
}

TEST_F(DeviceCommandsTest, AFailedDownloadNeverSaysCompletedAndKeepsImageAndTitle) {
    app->m_image = ImageOf(Pattern());
    sim->GetFaults().dataNotAcknowledged = true;
    Send(CommandId::ToolsDownload);
    ExpectOnlyMessage("Writing the EEPROM failed at register 0", Icon::Stop);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_TRUE(app->m_strImageFile.isEmpty());
    EXPECT_EQ(Caption(), "Untitled - TARNEL [sim]");
}

TEST_F(DeviceCommandsTest, UploadAndVerifyFailuresKeepImageBufferAndTitle) {
    OpenFile("a.dat", Pattern());
    app->m_readBack = ImageOf(Pattern(128, 40));
    sim->GetFaults().endlessWriteCycle = true;
    Send(CommandId::ToolsDownload);  // fails at register 1: the cycle never ends
    prompter.messages.clear();
    for (int command : {CommandId::ToolsUpload, CommandId::ToolsVerify}) {
        Send(command);
        // After the Download stopped by the endless cycle, the switch is
        // known to answer: not only the cable and power are named.
        ExpectOnlyMessage(
            "within 25 ms; check that the adapter is plugged in, the cable is connected and the "
            "switch is powered.\n\nThe switch took the registers before register 1 in the last "
            "Download, so it is connected: it may be busy with a write cycle that does not end.",
            Icon::Stop);
    }
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_EQ(app->m_readBack, ImageOf(Pattern(128, 40)));
    EXPECT_EQ(Caption(), PathOf("a.dat") + " - TARNEL [sim]");
    EXPECT_TRUE(prompter.dialogsRun.empty());
}

TEST_F(DeviceCommandsTest, VerifyOfAnEqualDeviceShowsPass) {
    app->m_image = SimEeprom::Pattern();
    const std::vector<ReportText> texts = Verify();
    ASSERT_EQ(prompter.dialogsRun, std::vector<QString>{"CVerifyReportDlg"});
    EXPECT_EQ(app->m_readBack, SimEeprom::Pattern());
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "PASS!");
    EXPECT_EQ(Caption(), "Untitled - TARNEL [sim]");
}

TEST_F(DeviceCommandsTest, AFailedVerifyShowsNoReportAndKeepsTheReadBackBuffer) {
    app->m_image = SimEeprom::Pattern();
    Verify();
    sim->GetFaults().absent = true;
    Send(CommandId::ToolsVerify);
    ExpectOnlyMessage("Reading the EEPROM failed at register 0", Icon::Stop);
    EXPECT_EQ(prompter.dialogsRun.size(), 1u);
    EXPECT_EQ(app->m_readBack, SimEeprom::Pattern());
}

TEST_F(DeviceCommandsTest, DefaultImageIsLoadedShownAndWrittenWhileItStaysLocked) {
    MakeFile("default.dat", Pattern());
    int lockError = 0;
    app->Ports().Session().AddWrapper([&](std::unique_ptr<LptPort> port) {
        QFile probe(QStringLiteral("default.dat"));
        EXPECT_TRUE(probe.open(QIODevice::ReadOnly));
        lockError = ::flock(probe.handle(), LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
        EXPECT_EQ(app->m_image, ImageOf(Pattern()));  // shown before the write
        return port;
    });
    EXPECT_TRUE(Send(CommandId::DownloadDefault));
    EXPECT_EQ(lockError, EWOULDBLOCK);
    EXPECT_EQ(sim->Memory(), ImageOf(Pattern()));
    EXPECT_EQ(app->m_strImageFile, PathOf("default.dat"));
    EXPECT_EQ(Caption(), "default.dat - TARNEL [sim]");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(DeviceCommandsTest, AMissingDefaultImageChangesNothingAndWritesNothing) {
    OpenFile("a.dat", Pattern());
    Send(CommandId::DownloadDefault);
    ExpectOnlyMessage("default.dat was not found.", Icon::Exclamation, "tarnel");
    EXPECT_EQ(sim->CommittedBytes(), 0);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_EQ(app->m_strImageFile, PathOf("a.dat"));
    EXPECT_EQ(Caption(), PathOf("a.dat") + " - TARNEL [sim]");
}

TEST_F(DeviceCommandsTest, DefaultImageWithNoPortStillBecomesTheCurrentFile) {
    ASSERT_TRUE(Start({"--port", "/dev/parport_tarnel_absent"}));
    MakeFile("default.dat", Pattern());
    Send(CommandId::DownloadDefault);
    ExpectOnlyMessage("Cannot open the parallel port /dev/parport_tarnel_absent", Icon::Stop);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_EQ(Caption(), "default.dat - TARNEL [/dev/parport_tarnel_absent]");
}

TEST_F(DeviceCommandsTest, DefaultImageWithAFailingDeviceStillBecomesTheCurrentFile) {
    MakeFile("default.dat", Pattern());
    sim->GetFaults().dataNotAcknowledged = true;
    Send(CommandId::DownloadDefault);
    ExpectOnlyMessage("Writing the EEPROM failed at register 0", Icon::Stop);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_EQ(app->m_strImageFile, PathOf("default.dat"));
    EXPECT_EQ(Caption(), "default.dat - TARNEL [sim]");
}

TEST_F(DeviceCommandsTest, AFileConfirmedInADialogMakesItsFolderTheCurrentOne) {
    MakeFile("default.dat", Pattern());
    ASSERT_TRUE(QDir(dir.path()).mkdir("other"));
    MakeFile("other/default.dat", Pattern(128, 50));
    OpenFile("other/pick.dat", Pattern(128, 90));
    Send(CommandId::FileOpen);  // cancelled: changes nothing
    Send(CommandId::DownloadDefault);
    EXPECT_EQ(sim->Memory(), ImageOf(Pattern(128, 50)));

    // Also a confirmed file that cannot be written or loaded moves it.
    prompter.savePaths.push_back(PathOf("other"));  // a folder: cannot be written
    Send(CommandId::FileSaveAs);
    EXPECT_EQ(QDir::current(), QDir(dir.path()));
    prompter.openPaths.push_back(PathOf("other/missing.dat"));
    Send(CommandId::FileOpen);
    EXPECT_EQ(QDir::current(), QDir(PathOf("other")));
    EXPECT_EQ(prompter.messages.size(), 2u);
}

TEST_F(DeviceCommandsTest, FilesNamedRelativelyStayTheSameWhenADialogMovesTheCurrentFolder) {
    ASSERT_TRUE(Start({"--port", "sim:switch.bin", "--log", "audit.jsonl"}));
    MakeFile("default.dat", Pattern());
    Send(CommandId::DownloadDefault);
    ASSERT_TRUE(QDir(dir.path()).mkdir("other"));
    MakeFile("other/default.dat", Pattern(128, 50));
    prompter.openPaths.push_back(PathOf("other/missing.dat"));
    Send(CommandId::FileOpen);  // fails, and enters "other" all the same
    app->m_image[0] = 0x77;
    Send(CommandId::FileSave);
    Send(CommandId::ToolsDownload);
    EXPECT_EQ(ReadFile(PathOf("other/default.dat")), Pattern(128, 50));
    EXPECT_EQ(ReadFile(PathOf("default.dat")).at(0), '\x77');
    EXPECT_EQ(ReadFile(PathOf("switch.bin")).at(0), '\x77');
    EXPECT_FALSE(QFile::exists(PathOf("other/switch.bin")));
    EXPECT_FALSE(QFile::exists(PathOf("other/audit.jsonl")));
    EXPECT_EQ(ReadFile(PathOf("audit.jsonl")).count('\n'), 2);
}

TEST_F(DeviceCommandsTest, ADownloadTheSwitchDidNotStoreIsAFailureThatChangesNoData) {
    OpenFile("a.dat", Pattern());
    app->m_readBack = ImageOf(Pattern(128, 40));
    // Write-protected: every byte acknowledged, none kept.
    sim->GetFaults().writeProtected = true;
    Send(CommandId::ToolsDownload);
    ExpectOnlyMessage("The switch holds a wrong image", Icon::Stop);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_EQ(app->m_readBack, ImageOf(Pattern(128, 40)));
    EXPECT_EQ(app->m_strImageFile, PathOf("a.dat"));
    EXPECT_EQ(Caption(), PathOf("a.dat") + " - TARNEL [sim]");
}

TEST_F(DeviceCommandsTest, DefaultImageIsCheckedAfterItsDownloadToo) {
    MakeFile("default.dat", Pattern());
    sim->GetFaults().writeProtected = true;
    Send(CommandId::DownloadDefault);
    ExpectOnlyMessage("The switch holds a wrong image", Icon::Stop);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_EQ(Caption(), "default.dat - TARNEL [sim]");
}

TEST_F(DeviceCommandsTest, ExceptionsEndTheCommandWithAMessageNotACrash) {
    ASSERT_TRUE(Start({"--port", "sim:" + dir.path()}));
    Send(CommandId::ToolsUpload);
    ExpectOnlyMessage(dir.path(), Icon::Stop);

    // An exception outside the device operation reaches the command route.
    ASSERT_TRUE(Start({"--port", "sim"}));
    prompter.dialogScripts.push_back(
        [](QDialog&) -> int { throw std::runtime_error("no report"); });
    EXPECT_TRUE(Send(CommandId::ToolsVerify));
    ExpectOnlyMessage("no report", Icon::Stop);
    EXPECT_FALSE(Frame().IsBusy());
}

TEST_F(DeviceCommandsTest, SimulatorFaultsFromTheEnvironmentAndTraceFailuresAreReported) {
    qputenv("TARNEL_SIM_FAULT", "absent,jammed");
    EXPECT_FALSE(Start({"--port", "sim"}));
    EXPECT_EQ(app->ExitCode(), 2);
    ExpectOnlyMessage("Unknown simulator fault \"jammed\"", Icon::Stop, "tarnel");
    qputenv("TARNEL_SIM_FAULT", "nak-data");
    ASSERT_TRUE(Start({"--port", "sim"}));
    qunsetenv("TARNEL_SIM_FAULT");
    Send(CommandId::ToolsDownload);
    ExpectOnlyMessage("did not acknowledge the data byte", Icon::Stop);

    EXPECT_FALSE(Start({"--port", "i2c:sim", "--trace", PathOf("i2c.vcd")}));
    ExpectOnlyMessage("parallel ports only", Icon::Stop, "tarnel");
    EXPECT_FALSE(QFile::exists(PathOf("i2c.vcd")));

    ASSERT_TRUE(Start({"--port", "sim", "--trace", PathOf("t.vcd")}));
    {
        const FileSizeLimit limit(1024);  // the trace of an upload is longer
        Send(CommandId::ToolsUpload);
    }
    ExpectOnlyMessage("Cannot write the trace file " + PathOf("t.vcd") + ": File too large",
                      Icon::Stop, "tarnel");
}

}  // namespace

namespace {

// A failure over each kind of link (the parallel port, an i2c-dev adapter, a
// USB bridge, all simulated) as the window reports it.
class EitherLinkTest : public AppFixture, public ::testing::WithParamInterface<const char*> {
protected:
    SimEeprom* sim = nullptr;
    void SetUp() override {
        ASSERT_TRUE(Start({"--port", GetParam()}));
        sim = app->Ports().Simulator();
        ASSERT_NE(sim, nullptr);
        sim->SetWriteCycle(1);
    }
};

TEST_P(EitherLinkTest, AnAbsentDeviceIsReportedNamingThePortAndChangesNothing) {
    sim->GetFaults().absent = true;
    app->m_image = ImageOf(Pattern());
    Send(CommandId::ToolsUpload);
    Send(CommandId::ToolsVerify);
    Send(CommandId::ToolsDownload);
    ASSERT_EQ(prompter.messages.size(), 3u);
    // The failure names the port, since the window's message is all the user sees.
    const QString port = QStringLiteral("\n\nPort: %1").arg(GetParam());
    for (int i : {0, 1}) {
        EXPECT_TRUE(
            prompter.messages[i].text.startsWith("Reading the EEPROM failed at register 0"));
        EXPECT_TRUE(prompter.messages[i].text.endsWith(port))
            << prompter.messages[i].text.toStdString();
    }
    EXPECT_TRUE(prompter.messages[2].text.startsWith("Writing the EEPROM failed at register 0"));
    EXPECT_TRUE(prompter.messages[2].text.endsWith("Nothing was written to the switch." + port));
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_EQ(app->m_readBack, EepromImage{});
    EXPECT_TRUE(prompter.dialogsRun.empty());
    EXPECT_EQ(sim->CommittedBytes(), 0);
}

INSTANTIATE_TEST_SUITE_P(Links, EitherLinkTest, ::testing::Values("sim", "i2c:sim", "ch341:sim"),
                         [](const auto& info) {
                             const std::string name = info.param;
                             return name == "sim"       ? "ParallelPort"
                                    : name == "i2c:sim" ? "I2cDev"
                                                        : "Ch341";
                         });

}  // namespace
