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
#include "RecordingPort.h"
#include "SimEeprom.h"
#include "SimEepromFile.h"
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

TEST_F(DeviceCommandsTest, UploadFromAnAbsentDeviceChangesNothing) {
    OpenFile("a.dat", Pattern());
    sim->GetFaults().absent = true;
    Send(CommandId::ToolsUpload);
    ExpectOnlyMessage("did not acknowledge its address 0xA0", Icon::Stop);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    // The failure names the port, since the window's message is all the user sees.
    Send(CommandId::ToolsVerify);
    ExpectOnlyMessage("switch is powered.\n\nPort: sim", Icon::Stop);
    EXPECT_EQ(app->m_strImageFile, PathOf("a.dat"));
    EXPECT_EQ(Caption(), PathOf("a.dat") + " - TARNEL [sim]");
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

TEST_F(DeviceCommandsTest, DownloadFailuresNameTheRegisterAndNeverSayCompleted) {
    app->m_image = ImageOf(Pattern());
    struct {
        const char* name;
        void (*fault)(SimEeprom&);
        const char* text;
    } cases[] = {
        {"absent", [](SimEeprom& s) { s.GetFaults().absent = true; },
         "failed at register 0: the EEPROM did not acknowledge its address 0xA0"},
        {"busy past the bound", [](SimEeprom& s) { s.GetFaults().endlessWriteCycle = true; },
         "failed at register 1"},
        {"data byte refused", [](SimEeprom& s) { s.GetFaults().dataNotAcknowledged = true; },
         "did not acknowledge the data byte 07"},
        {"data line held low", [](SimEeprom& s) { s.GetFaults().sdaHeldLow = true; }, "held low"},
    };
    for (const auto& c : cases) {
        sim->GetFaults() = {};
        c.fault(*sim);
        Send(CommandId::ToolsDownload);
        ExpectOnlyMessage(c.text, Icon::Stop);
        EXPECT_EQ(app->m_image, ImageOf(Pattern())) << c.name;
        EXPECT_TRUE(app->m_strImageFile.isEmpty()) << c.name;
        EXPECT_EQ(Caption(), "Untitled - TARNEL [sim]") << c.name;
    }
}

TEST_F(DeviceCommandsTest, UploadAndVerifyFailuresKeepImageBufferAndTitle) {
    OpenFile("a.dat", Pattern());
    app->m_readBack = ImageOf(Pattern(128, 40));
    struct {
        const char* name;
        void (*fault)(SimEeprom&);
        bool afterAWrite;  // the fault shows only once the device took a write
        const char* text;
    } cases[] = {
        // After the Download stopped by the endless cycle, the switch is
        // known to answer: not only the cable and power are named.
        {"busy past the bound", [](SimEeprom& s) { s.GetFaults().endlessWriteCycle = true; }, true,
         "within 25 ms; check that the adapter is plugged in, the cable is connected and the "
         "switch is powered.\n\nThe switch took the registers before register 1 in the last "
         "Download, so it is connected: it may be busy with a write cycle that does not end."},
        {"data line held low", [](SimEeprom& s) { s.GetFaults().sdaHeldLow = true; }, false,
         "held low"},
    };
    for (const auto& c : cases) {
        sim->GetFaults() = {};
        c.fault(*sim);
        if (c.afterAWrite) {
            Send(CommandId::ToolsDownload);  // fails at register 1: the cycle never ends
            prompter.messages.clear();
        }
        for (int command : {CommandId::ToolsUpload, CommandId::ToolsVerify}) {
            Send(command);
            ExpectOnlyMessage(c.text, Icon::Stop);
        }
        EXPECT_EQ(app->m_image, ImageOf(Pattern())) << c.name;
        EXPECT_EQ(app->m_readBack, ImageOf(Pattern(128, 40))) << c.name;
        EXPECT_EQ(Caption(), PathOf("a.dat") + " - TARNEL [sim]") << c.name;
        EXPECT_TRUE(prompter.dialogsRun.empty()) << c.name;
    }
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

TEST_F(DeviceCommandsTest, VerifyListsExactlyTheRegistersThatDiffer) {
    app->m_image = SimEeprom::Pattern();
    sim->Memory()[3] = 0x00;
    sim->Memory()[100] = 0xFF;
    const std::vector<ReportText> texts = Verify();
    const std::vector<ReportText> expected = {
        {40, 55, "03"},
        {105, 55, QString::number(SimEeprom::Pattern()[3], 16).toUpper()},
        {165, 55, "00"},
        {40, 70, "100"},
        {105, 70, QString::number(SimEeprom::Pattern()[100], 16).toUpper()},
        {165, 70, "FF"}};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(app->m_image, SimEeprom::Pattern());  // Verify never touches the image
}

TEST_F(DeviceCommandsTest, VerifyWithEveryRegisterDifferentListsSixtyAndTheCount) {
    app->m_image = SimEeprom::Pattern();
    for (auto& byte : sim->Memory()) {
        byte = static_cast<uint8_t>(~byte);
    }
    const std::vector<ReportText> texts = Verify();
    ASSERT_EQ(texts.size(), 60u * 3 + 1);
    EXPECT_EQ(texts.back(), (ReportText{40, 355, "128 differ, 60 listed"}));
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

TEST_F(DeviceCommandsTest, VerifyAndUploadMakeTheSameTrafficWriteForWrite) {
    std::vector<PortEvent> log;
    app->Ports().Session().AddWrapper(
        [&log](std::unique_ptr<LptPort> port) -> std::unique_ptr<LptPort> {
            return std::make_unique<RecordingPort>(std::move(port), log);
        });
    Send(CommandId::ToolsUpload);
    const std::vector<PortEvent> uploadLog = log;
    log.clear();
    Verify();
    auto writes = [](const std::vector<PortEvent>& events) {
        std::vector<std::pair<PortEvent::Kind, uint8_t>> list;
        for (const PortEvent& e : events) {
            if (e.kind == PortEvent::Kind::Data || e.kind == PortEvent::Kind::Control) {
                list.emplace_back(e.kind, e.value);
            }
        }
        return list;
    };
    EXPECT_EQ(writes(uploadLog).size(), 2911u);
    EXPECT_EQ(writes(log), writes(uploadLog));
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

TEST_F(DeviceCommandsTest, DefaultImageMissingOrShortChangesNothingAndWritesNothing) {
    OpenFile("a.dat", Pattern());
    Send(CommandId::DownloadDefault);
    ExpectOnlyMessage("default.dat was not found.", Icon::Exclamation, "tarnel");

    MakeFile("default.dat", Pattern(64, 1));
    Send(CommandId::DownloadDefault);
    ExpectOnlyMessage("default.dat is not an image file: it holds 64 bytes", Icon::Exclamation,
                      "tarnel");

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

    ASSERT_TRUE(Start({"--port", "sim"}));
    app->Ports().Simulator()->GetFaults().absent = true;
    Send(CommandId::DownloadDefault);
    ExpectOnlyMessage("Nothing was written to the switch.", Icon::Stop);
    EXPECT_EQ(app->m_strImageFile, PathOf("default.dat"));
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

TEST_F(DeviceCommandsTest, TheSimulatedSwitchKeepsItsContentsFromCommandToCommand) {
    app->m_image = ImageOf(Pattern());
    Send(CommandId::ToolsDownload);
    Send(CommandId::FileNew);
    Send(CommandId::ToolsUpload);  // meets the last write cycle and polls it out
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
}

TEST_F(DeviceCommandsTest, ATraceRecordsEveryCommandOfTheRunInOneFile) {
    const QString trace = PathOf("run.vcd");
    ASSERT_TRUE(Start({"--port", "sim", "--trace", trace}));
    Send(CommandId::ToolsUpload);
    Send(CommandId::ToolsVerify);
    const QList<QByteArray> lines = ReadFile(trace).split('\n');
    qint64 last = 0;
    int stamps = 0;
    for (const QByteArray& line : lines) {
        if (line.startsWith('#')) {
            const qint64 time = line.mid(1).toLongLong();
            EXPECT_GT(time, last);
            last = time;
            ++stamps;
        }
    }
    EXPECT_GT(last, 2 * 2911);  // both reads, one after the other
}

// A port that shorts the data line low after `goodWrites` writes, as a
// connector that fails during a Download: every later acknowledge reads as
// given.
class SdaStuckLater : public LptPort {
public:
    SdaStuckLater(std::unique_ptr<LptPort> inner, SimEeprom& sim, int goodWrites)
        : m_inner(std::move(inner)), m_sim(sim), m_goodWrites(goodWrites) {}

protected:
    void OutData(uint8_t value) override {
        m_inner->WriteData(value);
        Count();
    }
    void OutControl(uint8_t value) override {
        m_inner->WriteControl(value);
        Count();
    }
    uint8_t InStatus() override { return m_inner->ReadStatus(); }

private:
    void Count() {
        if (--m_goodWrites == 0) {
            m_sim.GetFaults().sdaHeldLow = true;
        }
    }
    std::unique_ptr<LptPort> m_inner;
    SimEeprom& m_sim;
    int m_goodWrites;
};

TEST_F(DeviceCommandsTest, ADownloadTheSwitchDidNotStoreIsAFailureThatChangesNoData) {
    OpenFile("a.dat", Pattern());
    app->m_readBack = ImageOf(Pattern(128, 40));
    const auto expectDataKept = [&] {
        EXPECT_EQ(app->m_image, ImageOf(Pattern()));
        EXPECT_EQ(app->m_readBack, ImageOf(Pattern(128, 40)));
        EXPECT_EQ(app->m_strImageFile, PathOf("a.dat"));
        EXPECT_EQ(Caption(), PathOf("a.dat") + " - TARNEL [sim]");
    };
    // Write-protected: every byte acknowledged, none kept.
    sim->GetFaults().writeProtected = true;
    const auto differing =
        VerifyReport::DifferingRegisters(ImageOf(Pattern()), SimEeprom::Pattern());
    Send(CommandId::ToolsDownload);
    ExpectOnlyMessage(QString("Download failed: %1 of 128 registers read back differ from the "
                              "image (register 0 written 07 read A5, register 1 written 0A read "
                              "A4, register 2 written 0D read A7, register 3 written 10 read A6, "
                              "...). The switch holds a wrong image")
                          .arg(differing.size()),
                      Icon::Stop);
    expectDataKept();

    // The data line stuck low in register 2: the rest "acknowledged", the
    // read-back cannot even start.
    sim->GetFaults() = {};
    app->Ports().Session().AddWrapper(
        [this](std::unique_ptr<LptPort> port) -> std::unique_ptr<LptPort> {
            return std::make_unique<SdaStuckLater>(std::move(port), *sim, 2 * 90 + 40);
        });
    Send(CommandId::ToolsDownload);
    ExpectOnlyMessage("Download failed: the image was written but could not be read back",
                      Icon::Stop);
    expectDataKept();
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

    ASSERT_TRUE(Start({"--port", "sim"}));
    app->Ports().Session().AddWrapper([](std::unique_ptr<LptPort>) -> std::unique_ptr<LptPort> {
        throw std::runtime_error("the port broke in a way nobody foresaw");
    });
    Send(CommandId::ToolsDownload);
    ExpectOnlyMessage("the port broke in a way nobody foresaw", Icon::Stop);

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

    ASSERT_TRUE(
        Start({"--port", "sim", "--trace", PathOf("t.vcd"), "--log", PathOf("trace.jsonl")}));
    {
        const FileSizeLimit limit(1024);  // the trace of an upload is longer; its record not
        Send(CommandId::ToolsUpload);
    }
    ExpectOnlyMessage("Cannot write the trace file " + PathOf("t.vcd") + ": File too large",
                      Icon::Stop, "tarnel");
    EXPECT_TRUE(ReadFile(PathOf("trace.jsonl")).contains("\"result\":\"failed\""));
}

TEST_F(DeviceCommandsTest, ASimulatedSwitchInAFileIsSharedWithOtherPrograms) {
    const QString file = PathOf("switch.bin");
    ASSERT_TRUE(Start({"--port", "sim:" + file}));
    Send(CommandId::ToolsUpload);
    EXPECT_EQ(app->m_image, SimEeprom::Pattern());
    // Another program writes the switch between two commands.
    MakeFile("switch.bin", Pattern());
    Send(CommandId::ToolsUpload);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    {
        SimEeprom other;
        SimEepromFile held(file.toStdString(), other);
        Send(CommandId::ToolsUpload);
        ExpectOnlyMessage("is in use", Icon::Stop);
    }
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace

namespace {

// The same commands over the bit-banged parallel-port link and over the
// i2c-dev link (a simulated adapter): the same results, the same reports.
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

TEST_P(EitherLinkTest, DownloadUploadAndVerifyRoundTrip) {
    app->m_image = ImageOf(Pattern());
    Send(CommandId::ToolsDownload);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, kDone);
    EXPECT_EQ(sim->Memory(), ImageOf(Pattern()));

    Send(CommandId::FileNew);
    Send(CommandId::ToolsUpload);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_EQ(Caption(), QStringLiteral("Upload - TARNEL [%1]").arg(GetParam()));

    sim->Memory()[3] ^= 0xFF;
    std::vector<ReportText> texts;
    prompter.dialogScripts.push_back([&](QDialog&) {
        texts = VerifyReport::Layout(app->m_image, app->m_readBack);
        return QDialog::Accepted;
    });
    Send(CommandId::ToolsVerify);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "03");
}

TEST_P(EitherLinkTest, AnAbsentDeviceIsReportedAndChangesNothing) {
    sim->GetFaults().absent = true;
    app->m_image = ImageOf(Pattern());
    Send(CommandId::ToolsUpload);
    Send(CommandId::ToolsDownload);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("Reading the EEPROM failed at register 0"));
    EXPECT_TRUE(prompter.messages[1].text.startsWith("Writing the EEPROM failed at register 0"));
    EXPECT_TRUE(prompter.messages[1].text.endsWith(
        QStringLiteral("Nothing was written to the switch.\n\nPort: %1").arg(GetParam())));
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
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
