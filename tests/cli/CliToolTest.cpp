// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliTool.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <sstream>

#include "FakeSysfs.h"
#include "ImageFormat.h"
#include "NonRegularFiles.h"
#include "PortFactory.h"
#include "PortSession.h"
#include "QtPrinters.h"
#include "SimEeprom.h"

namespace {

struct Outcome {
    int exit = -1;
    QString out;
    QString err;
    QByteArray bytes;  // standard output as it came
};

QByteArray Pattern(int size = 128, int offset = 3) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 5 + offset) & 0xFF);
    }
    return bytes;
}

// Writes `bytes` to `path`; false when it cannot.
bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray PatternOfSim() {
    const EepromImage image = SimEeprom::Pattern();
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
}

// Runs the built tarnel-cli against a simulated switch kept in a file.
class CliToolTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QByteArray input;    // standard input of the next Run
    int fileBlocks = 0;  // when set, no file grows beyond so many 512-byte blocks

    QString Path(const QString& name) const { return dir.filePath(name); }
    QString SimPort() const { return "sim:" + Path("switch.bin"); }

    Outcome Run(QStringList arguments, bool withPort = true) const {
        if (withPort) {
            arguments = QStringList{"--port", SimPort()} + arguments;
        }
        QProcess process;
        process.setProcessEnvironment(environment);
        if (fileBlocks > 0) {
            // Through the shell, whose ulimit sets the limit; SIGXFSZ stays
            // ignored, so a write past it fails as on a full disk.
            process.start("sh",
                          QStringList{"-c",
                                      "trap '' XFSZ; ulimit -f " + QString::number(fileBlocks) +
                                          "; exec \"$0\" \"$@\"",
                                      QStringLiteral(TARNEL_CLI_PATH)} +
                              arguments);
        } else {
            process.start(QStringLiteral(TARNEL_CLI_PATH), arguments);
        }
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(30000));
        const QByteArray out = process.readAllStandardOutput();
        return {process.exitCode(), QString::fromUtf8(out),
                QString::fromUtf8(process.readAllStandardError()), out};
    }
    QString MakeFile(const QString& name, const QByteArray& bytes) const {
        EXPECT_TRUE(WriteFile(Path(name), bytes));
        return Path(name);
    }
    static QByteArray Contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QByteArray Device() const { return Contents(Path("switch.bin")); }
};

TEST_F(CliToolTest, DumpPrintsTheGridWithItsLabels) {
    const Outcome result = Run({"dump"});
    EXPECT_EQ(result.exit, 0) << result.err.toStdString();
    const QStringList lines = result.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[0], "      0  1  2  3  4  5  6  7  8  9");
    EXPECT_EQ(lines[1], "  0  A5 A4 A7 A6 A1 A0 A3 A2 AD AC");
    EXPECT_EQ(lines[13], "120  DD DC DF DE D9 D8 DB DA");
}

TEST_F(CliToolTest, ReadWritesTheImageFileAndNeverOverwritesWithoutForce) {
    const QString file = Path("up.dat");
    EXPECT_EQ(Run({"read", file}).exit, 0);
    EXPECT_EQ(Contents(file), PatternOfSim());

    MakeFile("up.dat", "keep");
    const Outcome refused = Run({"read", file});
    EXPECT_EQ(refused.exit, 4);
    EXPECT_TRUE(refused.err.contains("use --force")) << refused.err.toStdString();
    EXPECT_EQ(Contents(file), "keep");

    EXPECT_EQ(Run({"read", "--force", file}).exit, 0);
    EXPECT_EQ(Contents(file), PatternOfSim());
}

TEST_F(CliToolTest, WriteProgramsTheDeviceAndVerifiesIt) {
    const QString image = MakeFile("image.dat", Pattern());
    const Outcome written = Run({"write", image});
    EXPECT_EQ(written.exit, 0) << written.err.toStdString();
    EXPECT_EQ(written.out, "PASS!\n");
    EXPECT_TRUE(written.err.contains("Download is completed"));
    EXPECT_EQ(Device(), Pattern());

    const QString other = MakeFile("other.dat", Pattern(128, 9));
    const Outcome unverified = Run({"write", "--no-verify", other});
    EXPECT_EQ(unverified.exit, 0);
    EXPECT_TRUE(unverified.out.isEmpty());
    EXPECT_EQ(Device(), Pattern(128, 9));
}

TEST_F(CliToolTest, AnImageFileOfAnyOtherLengthIsRefusedNamingIt) {
    const QString image = MakeFile("img.dat", Pattern());
    const struct {
        QStringList arguments;
        QByteArray input;
        QString message;
    } cases[] = {
        {{"write", MakeFile("big.dat", Pattern(256))}, {}, "holds 256 bytes"},
        {{"verify", MakeFile("short.dat", Pattern(64, 7))}, {}, "holds 64 bytes"},
        {{"compare", image, MakeFile("129.dat", Pattern(129))}, {}, "holds 129 bytes"},
        {{"write", "-"},
         Pattern(200),
         "standard input is not an image file: it holds more than 128"},
    };
    for (const auto& c : cases) {
        input = c.input;
        const Outcome refused = Run(c.arguments);
        EXPECT_EQ(refused.exit, 4) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(refused.err.contains(c.message)) << refused.err.toStdString();
    }
    EXPECT_TRUE(Device().isEmpty());  // never touched
}

TEST_F(CliToolTest, VerifyListsEveryDifferenceAndItsCount) {
    Run({"read", Path("same.dat")});
    const Outcome pass = Run({"verify", Path("same.dat")});
    EXPECT_EQ(pass.exit, 0);
    EXPECT_EQ(pass.out, "PASS!\n");

    QByteArray two = PatternOfSim();
    two[3] = 0x00;
    two[100] = static_cast<char>(0xFF);
    const Outcome differs = Run({"verify", MakeFile("two.dat", two)});
    EXPECT_EQ(differs.exit, 1);
    EXPECT_EQ(differs.out, "03 00 A6\n100 FF C1\n2 registers differ.\n");

    QByteArray all = PatternOfSim();
    for (char& byte : all) {
        byte = static_cast<char>(~byte);
    }
    const Outcome every = Run({"verify", MakeFile("all.dat", all)});
    EXPECT_EQ(every.exit, 1);
    const QStringList lines = every.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 129);  // all 128, not only 60
    EXPECT_EQ(lines[127], "127 25 DA");
    EXPECT_EQ(lines[128], "128 registers differ.");

    const Outcome quiet = Run({"--quiet", "verify", Path("all.dat")});
    EXPECT_EQ(quiet.exit, 1);
    EXPECT_TRUE(quiet.out.isEmpty());
}

TEST_F(CliToolTest, FileErrorsUseTheCauseTexts) {
    const Outcome missing = Run({"verify", Path("missing.dat")});
    EXPECT_EQ(missing.exit, 4);
    EXPECT_EQ(missing.err, "tarnel-cli: " + Path("missing.dat") + " was not found.\n");

    const Outcome denied = Run({"read", "/sys/tarnel-cli-test.dat"});
    EXPECT_EQ(denied.exit, 4);
    EXPECT_EQ(denied.err, "tarnel-cli: Access to /sys was denied.\n");
}

TEST_F(CliToolTest, SpecialFilesAreRefusedAtOnceAndTheDeviceIsLeftAlone) {
    ASSERT_EQ(Run({"read", Path("device.dat")}).exit, 0);
    const QByteArray device = Device();
    // A FIFO; ImageFileTest refuses every other kind too. Run bounds each
    // by its wait; a blocking open would exceed it.
    const auto [path, kind] = MakeNonRegularFiles(dir.path()).front();
    for (const QStringList& command :
         {QStringList{"write", path}, QStringList{"verify", path},
          QStringList{"read", "--force", path}, QStringList{"read", path}}) {
        const Outcome result = Run(command);
        EXPECT_EQ(result.exit, 4) << command.join(' ').toStdString();
        EXPECT_EQ(result.err, "tarnel-cli: " + path + " is " + kind + ", not an image file.\n");
    }
    EXPECT_EQ(Device(), device);
}

TEST_F(CliToolTest, NoFileIsOpenedThroughAnotherUsersLinkOrWithABlockingOpen) {
    // A sticky, world-writable folder like /tmp, in which the user nobody
    // planted links to root's files and folder.
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to give the links to another user";
    }
    ASSERT_TRUE(QDir(dir.path()).mkpath("shared") && QDir(dir.path()).mkpath("rootdir"));
    ::chmod(QFile::encodeName(Path("shared")).constData(), 01777);
    const QString precious = MakeFile("precious", "root's own");
    const QString precious128 = MakeFile("precious128", Pattern(128, 7));
    for (const auto& [link, target] : {std::pair{"audit.jsonl", precious},
                                       {"t.vcd", precious},
                                       {"sw.bin", precious128},
                                       {"d", Path("rootdir")}}) {
        const QByteArray name = QFile::encodeName(Path("shared/") + link);
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), name.constData()), 0);
        ASSERT_EQ(::lchown(name.constData(), 65534, 65534), 0);
    }
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("t.fifo")).constData(), 0644), 0);
    const QString image = MakeFile("img.dat", Pattern());
    const QString notFollowed =
        " is not followed: it leads through a symbolic link another user "
        "owns in the shared folder " +
        Path("shared") + ".";
    const struct {
        QStringList arguments;
        int exit;
        QString message;
    } cases[] = {
        {{"--port", "sim", "--log", Path("shared/audit.jsonl"), "write", image},
         4,
         Path("shared/audit.jsonl") + notFollowed},
        {{"--port", "sim", "--trace", Path("shared/t.vcd"), "dump"},
         4,
         Path("shared/t.vcd") + notFollowed},
        {{"--port", "sim:" + Path("shared/sw.bin"), "write", image},
         3,
         Path("shared/sw.bin") + notFollowed},
        {{"--port", "sim", "read", "--force", Path("shared/d/conf.dat")},
         4,
         Path("shared/d/conf.dat") + notFollowed},
        // Run bounds each by its wait; a blocking open would exceed it.
        {{"--port", "sim", "--trace", Path("t.fifo"), "dump"},
         4,
         Path("t.fifo") + " is a FIFO, not a regular file."},
        {{"--port", "sim", "--log", Path("t.fifo"), "dump"},
         4,
         Path("t.fifo") + " is a FIFO, not a regular file."},
    };
    for (const auto& c : cases) {
        const Outcome result = Run(c.arguments, false);
        EXPECT_EQ(result.exit, c.exit) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
    }
    EXPECT_EQ(Contents(precious), "root's own");
    EXPECT_EQ(Contents(precious128), Pattern(128, 7));
    EXPECT_TRUE(QDir(Path("rootdir")).isEmpty());
}

TEST_F(CliToolTest, TheRecordIsWrittenLastAndSaysHowTheCommandEnded) {
    const QString image = MakeFile("img.dat", PatternOfSim());
    ASSERT_EQ(Run({"read", Path("device.dat")}).exit, 0);  // the switch is made
    const QString log = Path("audit.jsonl");
    const struct {
        QStringList arguments;
        QString output;  // where standard output goes
    } cases[] = {
        {{"read", "-"}, "| true"},  // a pipe whose reader has gone
        {{"dump"}, "| true"},      {{"probe"}, "| true"}, {{"--json", "verify", image}, "| true"},
        {{"dump"}, ">/dev/full"},  {{"dump"}, ">&-"},
    };
    for (const auto& c : cases) {
        QFile::remove(log);
        QProcess shell;
        shell.start(
            "bash",
            QStringList{"-c",
                        "{ sleep 0.3; \"$0\" \"$@\"; } " + c.output + "; exit ${PIPESTATUS[0]}",
                        QStringLiteral(TARNEL_CLI_PATH), "--port", SimPort(), "--log", log} +
                c.arguments);
        ASSERT_TRUE(shell.waitForFinished(30000));
        const QString what = c.arguments.join(' ') + " " + c.output;
        EXPECT_EQ(shell.exitCode(), 4) << what.toStdString();
        const QJsonObject record =
            QJsonDocument::fromJson(Contents(log).trimmed().split('\n').last()).object();
        EXPECT_EQ(record["result"].toString(), "failed") << what.toStdString();
        EXPECT_EQ(record["exit"].toInt(), 4) << what.toStdString();
        EXPECT_TRUE(record["message"].toString().contains("standard output"))
            << record["message"].toString().toStdString();
    }
}

TEST_F(CliToolTest, NamesFromTheEnvironmentAreTakenOnlyAsGiven) {
    const QString image = MakeFile("img.dat", Pattern());
    const struct {
        QString environment;  // set through the shell, which can pass any bytes
        QStringList arguments;
        int exit;
        QString message;
    } cases[] = {
        {"TARNEL_LOG=\"$(printf 'x\\376')\"", {"--port", "sim", "write", image}, 2, "TARNEL_LOG: "},
        {"TARNEL_PORT=\"sim:$(printf 'x\\376')\"", {"dump"}, 2, "TARNEL_PORT: "},
    };
    for (const auto& c : cases) {
        QProcess shell;
        shell.setWorkingDirectory(dir.path());
        shell.start("sh", QStringList{"-c", c.environment + " exec \"$0\" \"$@\"",
                                      QStringLiteral(TARNEL_CLI_PATH)} +
                              c.arguments);
        ASSERT_TRUE(shell.waitForFinished(30000));
        const QString err = QString::fromUtf8(shell.readAllStandardError());
        EXPECT_EQ(shell.exitCode(), c.exit) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(err.contains(c.message)) << err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path("x\uFFFD")));
}

TEST_F(CliToolTest, MessagesNameTheRealFileAndCause) {
    const QString image = MakeFile("img.dat", Pattern());
    const struct {
        QString script;  // run by the shell: $0 is tarnel-cli, $1 the port
        int exit;
        QString message;
    } cases[] = {
        {"verify /proc/self/mem", 4,
         "A hardware I/O error was reported while accessing /proc/self/mem."},
        {"verify ''", 2, "A FILE given is empty"},
        {"--json verify ''", 2, "A FILE given is empty"},
        {"write - < /", 4, "standard input is a folder, not an image file."},
        {"write - <&-", 4, "standard input: it is closed."},
    };
    for (const auto& c : cases) {
        QProcess shell;
        shell.start("sh", {"-c", "exec \"$0\" --port \"$1\" " + c.script,
                           QStringLiteral(TARNEL_CLI_PATH), SimPort()});
        ASSERT_TRUE(shell.waitForFinished(30000));
        const QString err = QString::fromUtf8(shell.readAllStandardError());
        EXPECT_EQ(shell.exitCode(), c.exit) << c.script.toStdString();
        EXPECT_TRUE(err.contains(c.message)) << err.toStdString();
        if (c.script.startsWith("--json")) {  // one JSON object, even for a usage error
            const QJsonObject object =
                QJsonDocument::fromJson(shell.readAllStandardOutput()).object();
            EXPECT_TRUE(object["error"].toString().contains(c.message));
            EXPECT_EQ(object["exit"].toInt(), 2);
        }
    }
}

TEST_F(CliToolTest, NamesReachTheFileSystemExactlyAsGiven) {
    // Runs tarnel-cli through the shell in the test's folder, for names that
    // QProcess cannot pass: $0 is tarnel-cli, $1 the port.
    const auto inFolder = [this](const QString& script) {
        QProcess shell;
        shell.setWorkingDirectory(dir.path());
        shell.start("sh", {"-c", "exec \"$0\" --port \"$1\" " + script,
                           QStringLiteral(TARNEL_CLI_PATH), SimPort()});
        EXPECT_TRUE(shell.waitForFinished(30000));
        return Outcome{shell.exitCode(), QString(), QString::fromUtf8(shell.readAllStandardError()),
                       QByteArray()};
    };
    // x\xEF\xBF\xBD.dat is what the invalid x\xFE.dat used to be decoded to.
    const QString other = MakeFile("x\uFFFD.dat", "other");
    const Outcome invalid = inFolder("read --force \"$(printf 'x\\376.dat')\"");
    EXPECT_EQ(invalid.exit, 4);
    EXPECT_TRUE(invalid.err.contains("the name is not valid UTF-8")) << invalid.err.toStdString();
    EXPECT_EQ(Contents(other), "other");

    MakeFile("-lead.dat", Pattern());
    const Outcome options = inFolder("verify -lead.dat");
    EXPECT_EQ(options.exit, 2);
    EXPECT_EQ(options.err,
              "tarnel-cli: -lead.dat looks like options; to name a file that begins with \"-\", "
              "put -- before it: -- -lead.dat (see --help)\n");
    EXPECT_EQ(inFolder("verify -- -lead.dat").exit, 1);  // read, and differs from the device
}

TEST_F(CliToolTest, UsageErrorsExitWithTwo) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"flash"}, QStringList{"read"}, QStringList{"dump", "x.dat"},
          QStringList{"--colour", "dump"}, QStringList{"--port", "", "dump"},
          QStringList{"--port", "io:zz", "dump"}, QStringList{"--port", "parport0", "dump"},
          QStringList{"--port", "i2c:/dev/foo", "dump"}, QStringList{"--port", "sim:", "dump"},
          QStringList{"compare", "a.dat"}, QStringList{"--format", "hex", "dump"},
          QStringList{"--format", "xxd", "verify", "a.dat"}, QStringList{"--json", "read", "-"},
          QStringList{"--trace", QString("t") + QChar(QChar::ReplacementCharacter), "dump"}}) {
        const Outcome result = Run(arguments, false);
        EXPECT_EQ(result.exit, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.startsWith("tarnel-cli: ")) << result.err.toStdString();
    }
    for (const char* port : {"io:0x10000", "io:0x70", "lpt1"}) {
        const Outcome result = Run({"--port", port, "dump"}, false);
        EXPECT_EQ(result.exit, 2) << port;
        EXPECT_TRUE(result.err.contains(QString(port).mid(3))) << result.err.toStdString();
    }
}

TEST_F(CliToolTest, HelpAndVersion) {
    const Outcome version = Run({"--version"}, false);
    EXPECT_EQ(version.exit, 0);
    EXPECT_EQ(version.out, "tarnel-cli 1.1\n");
    const Outcome help = Run({"--help"}, false);
    EXPECT_EQ(help.exit, 0);
    EXPECT_TRUE(help.out.contains("--port <NAME>"));
    for (const char* command : {"read FILE", "write FILE", "verify FILE", "dump", "compare FILE1",
                                "list-ports", "--log <FILE>", "--json", "--format <FORMAT>"}) {
        EXPECT_TRUE(help.out.contains(command)) << command;
    }
    EXPECT_TRUE(help.out.contains("no .vcd is added"));
}

TEST_F(CliToolTest, APortThatCannotBeOpenedExitsWithThree) {
    const Outcome result = Run({"--port", "/dev/parport_tarnel_absent", "dump"}, false);
    EXPECT_EQ(result.exit, 3);
    EXPECT_TRUE(result.err.contains("Cannot open the parallel port /dev/parport_tarnel_absent"));
}

TEST_F(CliToolTest, ATraceOfAnI2cPortIsAUsageError) {
    const Outcome traced = Run({"--port", "i2c:sim", "--trace", Path("t.vcd"), "dump"}, false);
    EXPECT_EQ(traced.exit, 2);
    EXPECT_TRUE(traced.err.contains("parallel ports only")) << traced.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("t.vcd")));
}

TEST_F(CliToolTest, ATraceThatCannotBeWrittenFailsTheCommand) {
    fileBlocks = 2;  // 1 KiB: the trace of a dump is longer
    const QString trace = Path("t.vcd");
    const Outcome full = Run({"--trace", trace, "dump"});
    EXPECT_EQ(full.exit, 4);
    EXPECT_TRUE(full.err.contains("Cannot write the trace file " + trace + ": File too large"))
        << full.err.toStdString();
    EXPECT_FALSE(full.out.isEmpty());  // the dump itself was done
    const Outcome recorded =
        Run({"--trace", trace, "--json", "verify", MakeFile("sim.dat", PatternOfSim())});
    EXPECT_EQ(recorded.exit, 4);
    EXPECT_EQ(QJsonDocument::fromJson(recorded.out.toUtf8()).object()["exit"].toInt(), 4);
}

TEST_F(CliToolTest, FormerCrashesAreFailureReports) {
    // The simulated switch's file cannot be saved: the run may write no file
    // at all (a file size limit of 0, whose signal is ignored).
    const QString image = MakeFile("image.dat", Pattern());
    ASSERT_EQ(Run({"dump"}).exit, 0);  // creates switch.bin
    QProcess limited;
    limited.setChildProcessModifier([] {
        const rlimit none{0, 0};
        ::setrlimit(RLIMIT_FSIZE, &none);
        ::signal(SIGXFSZ, SIG_IGN);
    });
    limited.start(QStringLiteral(TARNEL_CLI_PATH), {"--port", "i2c:" + SimPort(), "write", image});
    ASSERT_TRUE(limited.waitForFinished(30000));
    EXPECT_EQ(limited.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(limited.exitCode(), 3);
    const QString unsaved = QString::fromUtf8(limited.readAllStandardError());
    EXPECT_TRUE(
        unsaved.contains("Writing the EEPROM failed at register 0: Cannot save the "
                         "simulated EEPROM file " +
                         Path("switch.bin") + ": File too large."))
        << unsaved.toStdString();

    for (const QString& file : {dir.path(), QStringLiteral("/dev/zero")}) {
        const Outcome refused = Run({"--port", "sim:" + file, "dump"}, false);
        EXPECT_EQ(refused.exit, 3) << file.toStdString();
        EXPECT_TRUE(refused.err.contains(file)) << refused.err.toStdString();
        EXPECT_TRUE(refused.out.isEmpty());
    }
}

TEST_F(CliToolTest, SimulatorFaultsComeFromTheEnvironment) {
    const QString image = MakeFile("image.dat", Pattern());
    const auto runWith = [&](const QString& faults, const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TARNEL_SIM_FAULT", faults);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TARNEL_CLI_PATH),
                      QStringList{"--port", SimPort()} + arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return Outcome{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                       QString::fromUtf8(process.readAllStandardError()), QByteArray()};
    };
    const Outcome unknown = runWith("busy,stuck", {"dump"});
    EXPECT_EQ(unknown.exit, 2);
    EXPECT_TRUE(unknown.err.contains("\"stuck\"")) << unknown.err.toStdString();

    const Outcome protectedWrite = runWith("write-protected", {"write", image});
    EXPECT_EQ(protectedWrite.exit, 1) << protectedWrite.err.toStdString();
    EXPECT_TRUE(protectedWrite.out.endsWith("registers differ.\n"));
    EXPECT_FALSE(protectedWrite.err.contains("Download is completed"));
    EXPECT_TRUE(protectedWrite.err.contains("Download failed: 128 of 128 registers"))
        << protectedWrite.err.toStdString();
    EXPECT_EQ(Device(), PatternOfSim());
}

TEST_F(CliToolTest, ListPortsNeedsNoPort) {
    const Outcome listed = Run({"list-ports"}, false);
    EXPECT_EQ(listed.exit, 0);
    EXPECT_EQ(Run({"list-ports", "x"}, false).exit, 2);
}

QJsonObject ParseObject(const QString& text) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text.toStdString();
    return document.object();
}

QList<QJsonObject> LogRecords(const QByteArray& log) {
    QList<QJsonObject> records;
    for (const QByteArray& line : log.split('\n')) {
        if (!line.isEmpty()) {
            records.append(ParseObject(QString::fromUtf8(line)));
        }
    }
    return records;
}

TEST_F(CliToolTest, EveryDeviceOperationIsLoggedAndJsonPrintsTheRecord) {
    const QString log = Path("audit.jsonl");
    QByteArray two = PatternOfSim();
    two[3] = 0x00;
    const QString image = MakeFile("two.dat", two);
    const Outcome verified = Run({"--log", log, "--json", "verify", image});
    EXPECT_EQ(verified.exit, 1);
    const QJsonObject printed = ParseObject(verified.out);
    EXPECT_EQ(printed["result"].toString(), "differs");
    EXPECT_EQ(printed["file"].toString(), image);
    EXPECT_EQ(printed["port"].toString(), SimPort());
    EXPECT_EQ(printed["differences"].toArray().size(), 1);

    const Outcome dumped = Run({"--log", log, "--json", "dump"});
    const QJsonArray registers = ParseObject(dumped.out)["registers"].toArray();
    ASSERT_EQ(registers.size(), 128);
    EXPECT_EQ(registers[3].toInt(), 0xA6);

    // Without --log, TARNEL_LOG names the log.
    environment.insert("TARNEL_LOG", log);
    EXPECT_EQ(Run({"read", Path("up.dat")}).exit, 0);

    const QList<QJsonObject> records = LogRecords(Contents(log));
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0]["file_sha256"].toString(), printed["file_sha256"].toString());
    EXPECT_EQ(records[1]["operation"].toString(), "dump");
    EXPECT_EQ(records[2]["operation"].toString(), "read");
    EXPECT_EQ(records[2]["file"].toString(), Path("up.dat"));
    EXPECT_EQ(records[2]["file_sha256"].toString(), records[2]["device_sha256"].toString());

    // A read refused before the device is touched still names its file.
    const QJsonObject refused = ParseObject(Run({"--json", "read", Path("up.dat")}).out);
    EXPECT_EQ(refused["exit"].toInt(), 4);
    EXPECT_EQ(refused["file"].toString(), Path("up.dat"));
}

TEST_F(CliToolTest, ALogThatFailsMakesTheCommandFailWithFour) {
    const QString image = MakeFile("image.dat", Pattern());
    const Outcome unopened = Run({"--log", Path("no/such/folder/log"), "write", image});
    EXPECT_EQ(unopened.exit, 4);
    EXPECT_TRUE(unopened.err.contains("Cannot open the audit log")) << unopened.err.toStdString();
    EXPECT_TRUE(Device().isEmpty());  // the device was never touched

    const QString full = MakeFile("full.jsonl", QByteArray(1024, '\n'));
    fileBlocks = 2;  // the log is full
    const Outcome unwritten = Run({"--log", full, "--json", "write", image});
    EXPECT_EQ(unwritten.exit, 4);
    EXPECT_EQ(Device(), Pattern());
    EXPECT_TRUE(unwritten.err.contains("The write itself ended with the result ok (exit status 0)"))
        << unwritten.err.toStdString();
    const QJsonObject printed = ParseObject(unwritten.out);  // printed before the record
    EXPECT_EQ(printed["exit"].toInt(), 0);
    EXPECT_EQ(printed["result"].toString(), "ok");
}

TEST_F(CliToolTest, ImagesPassThroughPipes) {
    const Outcome read = Run({"read", "-"});
    EXPECT_EQ(read.exit, 0);
    EXPECT_EQ(read.bytes, PatternOfSim());  // the bytes and nothing else

    input = Pattern();
    const Outcome written = Run({"write", "-"});
    EXPECT_EQ(written.exit, 0) << written.err.toStdString();
    EXPECT_EQ(Device(), Pattern());
    EXPECT_EQ(Run({"verify", "-"}).out, "PASS!\n");

    input = Pattern(100);
    const Outcome refused = Run({"write", "-"});
    EXPECT_EQ(refused.exit, 4);
    EXPECT_TRUE(refused.err.contains("standard input is not an image file: it holds 100 bytes"))
        << refused.err.toStdString();
}

TEST_F(CliToolTest, CompareNeedsNoPortAndReportsAsVerifyDoes) {
    QByteArray two = Pattern();
    two[3] = 0x00;
    two[100] = static_cast<char>(0xFF);
    const QString first = MakeFile("first.dat", Pattern());
    const QString second = MakeFile("second.dat", two);
    const Outcome same = Run({"compare", first, first}, false);
    EXPECT_EQ(same.exit, 0);
    EXPECT_EQ(same.out, "PASS!\n");
    const Outcome differs = Run({"compare", first, second}, false);
    EXPECT_EQ(differs.exit, 1);
    EXPECT_EQ(differs.out, "03 12 00\n100 F7 FF\n2 registers differ.\n");
    input = two;
    const QJsonObject printed = ParseObject(Run({"--json", "compare", first, "-"}, false).out);
    EXPECT_EQ(printed["differences"].toArray().size(), 2);
    EXPECT_TRUE(printed["port"].isNull() && printed["compared_file"].isNull());
    const QJsonObject missing =
        ParseObject(Run({"--json", "compare", Path("missing.dat"), first}, false).out);
    EXPECT_EQ(missing["exit"].toInt(), 4);
    EXPECT_EQ(missing["file"].toString(), Path("missing.dat"));  // named, though unread
    EXPECT_TRUE(missing["file_sha256"].isNull());
    EXPECT_TRUE(Device().isEmpty());
}

// The text formats as the image's name or --image-format says, with the
// same results (and the same file_sha256) as the raw file.
TEST_F(CliToolTest, ImageFilesInIntelHexAndSRecordWorkAsRawOnes) {
    const EepromImage image = [] {
        EepromImage bytes{};
        const QByteArray pattern = Pattern();
        std::copy(pattern.begin(), pattern.end(), bytes.begin());
        return bytes;
    }();
    const QString hex = MakeFile("image.HEX", ImageFormat::Encode(ImageFormat::Kind::ihex, image));
    const QString raw = MakeFile("image.dat", Pattern());
    const QJsonObject written = ParseObject(Run({"--json", "write", hex}).out);
    EXPECT_EQ(written["exit"].toInt(), 0);
    EXPECT_EQ(Device(), Pattern());
    const QJsonObject verified = ParseObject(Run({"--json", "verify", raw}).out);
    EXPECT_EQ(written["file_sha256"], verified["file_sha256"]);

    EXPECT_EQ(Run({"read", Path("up.s19")}).exit, 0);
    EXPECT_EQ(Contents(Path("up.s19")), ImageFormat::Encode(ImageFormat::Kind::srec, image));
    EXPECT_EQ(Run({"--image-format", "ihex", "read", "-"}).bytes, Contents(hex));
    input = Contents(Path("up.s19"));
    EXPECT_EQ(Run({"verify", "--image-format", "srec", "-"}).out, "PASS!\n");
    EXPECT_EQ(Run({"compare", hex, Path("up.s19")}, false).out, "PASS!\n");

    // convert: OUT in the format its name says, or the second --image-format.
    const Outcome converted = Run({"convert", hex, Path("back.dat")}, false);
    EXPECT_EQ(converted.exit, 0) << converted.err.toStdString();
    EXPECT_EQ(Contents(Path("back.dat")), Pattern());
    EXPECT_EQ(Run({"convert", hex, Path("back.dat")}, false).exit, 4);  // no --force
    input = Pattern();
    const Outcome piped =
        Run({"convert", "--image-format", "raw", "--image-format", "srec", "-", "-"}, false);
    EXPECT_EQ(piped.bytes, Contents(Path("up.s19")));

    MakeFile("broken.hex", Contents(hex).replace(":10002000", ":10002100"));
    const Outcome broken = Run({"write", Path("broken.hex")});
    EXPECT_EQ(broken.exit, 4);
    EXPECT_TRUE(broken.err.contains(Path("broken.hex") + " is not a valid Intel HEX image: line "
                                                         "3: the checksum is"))
        << broken.err.toStdString();

    const QStringList usage[] = {
        {"--image-format", "bin", "verify", raw},
        {"--image-format", "raw", "dump"},
        {"--image-format", "raw", "--image-format", "raw", "verify", raw},
        {"--page-size", "8", "verify", raw},
        {"--page-size", "32", "write", raw},
        {"--json", "convert", raw, "-"},
        {"convert", raw},
    };
    for (const QStringList& arguments : usage) {
        EXPECT_EQ(Run(arguments).exit, 2) << arguments.join(' ').toStdString();
    }
}

// Page writes that fit the part are stored; larger ones wrap inside its
// page, which the read-back finds, with a hint.
TEST_F(CliToolTest, PageWritesLargerThanThePartsPagesFailTheReadBack) {
    const QString image = MakeFile("image.dat", Pattern());
    environment.insert("TARNEL_SIM_PAGE", "4");
    const Outcome fits = Run({"write", "--page-size", "4", image});
    EXPECT_EQ(fits.exit, 0) << fits.err.toStdString();
    EXPECT_EQ(Device(), Pattern());
    MakeFile("switch.bin", PatternOfSim());
    const Outcome wraps = Run({"write", "--page-size", "8", image});
    EXPECT_EQ(wraps.exit, 1);
    EXPECT_TRUE(wraps.err.contains("write again with a smaller --page-size"))
        << wraps.err.toStdString();
    environment.remove("TARNEL_SIM_PAGE");
    EXPECT_EQ(Run({"write", "--page-size", "8", image}).exit, 0);
    EXPECT_EQ(Device(), Pattern());
    environment.insert("TARNEL_SIM_PAGE", "3");
    EXPECT_EQ(Run({"write", image}).exit, 2);
}

TEST_F(CliToolTest, DumpFormatsAndListPortsInJson) {
    const QStringList i2cdump = Run({"dump", "--format", "i2cdump"}).out.split('\n');
    EXPECT_TRUE(i2cdump.value(1).startsWith("00: a5 a4 a7 a6 ")) << i2cdump.value(1).toStdString();
    const Outcome xxd = Run({"dump", "--format", "xxd"});
    EXPECT_TRUE(xxd.out.startsWith("00000000: a5a4 a7a6 ")) << xxd.out.toStdString();
    const QJsonObject ports = ParseObject(Run({"--json", "list-ports"}, false).out);
    EXPECT_TRUE(ports["ports"].isArray());
    EXPECT_EQ(ports["result"].toString(), "ok");
}

// A tool run in process against `sim`, where the simulator's faults can be
// switched on through the tool's port set-up.
struct InProcessRun {
    std::ostringstream out;
    std::ostringstream err;
    int exit = -1;
    SimEeprom* sim = nullptr;

    InProcessRun(const QStringList& arguments, const std::function<void(SimEeprom&)>& fault,
                 bool terminal = false) {
        CliTool tool(out, err, terminal);
        tool.SetPortSetup([&](PortFactory& factory) {
            sim = factory.Simulator();
            sim->SetWriteCycle(0);
            fault(*sim);
        });
        exit = tool.Run(QStringList{"tarnel-cli", "--port", "sim"} + arguments);
    }
};

TEST(CliToolInProcessTest, ProbeStopsAtTheFailingCheck) {
    InProcessRun absent({"probe"}, [](SimEeprom& s) { s.GetFaults().absent = true; });
    EXPECT_EQ(absent.exit, 3);
    const std::string lines = absent.out.str();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 4);
    EXPECT_NE(lines.find("EEPROM acknowledges its address 0xA0: FAILED: no acknowledge"),
              std::string::npos)
        << lines;

    InProcessRun quiet({"--quiet", "probe"}, [](SimEeprom& s) { s.GetFaults().sdaHeldLow = true; });
    EXPECT_EQ(quiet.exit, 3);
    EXPECT_TRUE(quiet.out.str().empty());
    EXPECT_EQ(
        quiet.err.str().rfind("tarnel-cli: pull-up on SDA (SCL low, SDA released): FAILED", 0), 0u);
}

TEST(CliToolInProcessTest, AnAbsentDeviceExitsWithThreeAndWritesNothing) {
    QTemporaryDir dir;
    const QString image = dir.filePath("image.dat");
    ASSERT_TRUE(WriteFile(image, Pattern()));
    InProcessRun run({"write", image}, [](SimEeprom& s) { s.GetFaults().absent = true; });
    EXPECT_EQ(run.exit, 3);
    ASSERT_NE(run.sim, nullptr);
    EXPECT_EQ(run.sim->CommittedBytes(), 0);
    EXPECT_NE(run.err.str().find("Nothing was written to the switch."), std::string::npos)
        << run.err.str();
    EXPECT_TRUE(run.out.str().empty());
}

TEST(CliToolInProcessTest, ReadFromAnAbsentDeviceCreatesNoFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath("never.dat");
    InProcessRun run({"read", file}, [](SimEeprom& s) { s.GetFaults().absent = true; });
    EXPECT_EQ(run.exit, 3);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_NE(run.err.str().find("Reading the EEPROM failed at register 0"), std::string::npos);
}

TEST(CliToolInProcessTest, WriteExitsWithOneWhenTheReadBackDiffers) {
    QTemporaryDir dir;
    const QString image = dir.filePath("image.dat");
    QByteArray bytes = PatternOfSim();
    bytes[9] = 0x00;
    ASSERT_TRUE(WriteFile(image, bytes));
    InProcessRun run({"write", image}, [](SimEeprom& s) { s.GetFaults().writeProtected = true; });
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out.str(), "09 00 AC\n1 register differs.\n");
}

TEST(CliToolInProcessTest, WriteSaysWhatWasCheckedAfterTheWrite) {
    QTemporaryDir dir;
    const QString image = dir.filePath("image.dat");
    ASSERT_TRUE(WriteFile(image, Pattern()));
    // The switch goes silent once the whole image is written.
    const auto silentAfterWrite = [](SimEeprom& s) {
        s.SetCommitListener([&s, commits = 0](const EepromImage&) mutable {
            if (++commits == 128) {
                s.GetFaults().absent = true;
            }
        });
    };
    const struct {
        QStringList arguments;
        int exit;
        std::string message;
    } cases[] = {
        {{"write", image}, 3, "the image was written but could not be read back"},
        {{"write", "--no-verify", image}, 0, "The image was written, not verified"},
    };
    for (const auto& c : cases) {
        InProcessRun run(c.arguments, silentAfterWrite);
        EXPECT_EQ(run.exit, c.exit);
        EXPECT_NE(run.err.str().find(c.message), std::string::npos) << run.err.str();
        EXPECT_EQ(run.err.str().find("Download is completed"), std::string::npos);
    }
}

TEST(CliToolInProcessTest, WritingToATerminalShowsProgress) {
    QTemporaryDir dir;
    const QString image = dir.filePath("image.dat");
    ASSERT_TRUE(WriteFile(image, Pattern()));
    InProcessRun shown(
        {"write", "--no-verify", image}, [](SimEeprom&) {}, true);
    EXPECT_EQ(shown.exit, 0);
    EXPECT_NE(shown.err.str().find("\rWriting register 1 of 128"), std::string::npos);
    EXPECT_NE(shown.err.str().find("\rWriting register 128 of 128\n"), std::string::npos);
    InProcessRun quiet(
        {"--quiet", "write", "--no-verify", image}, [](SimEeprom&) {}, true);
    EXPECT_TRUE(quiet.err.str().empty()) << quiet.err.str();
    InProcessRun piped(
        {"write", "--no-verify", image}, [](SimEeprom&) {}, false);
    EXPECT_EQ(piped.err.str().find("Writing register"), std::string::npos);
}

TEST(CliToolInProcessTest, EveryCommandRefusesTheComputersSmbus) {
    QTemporaryDir dir;
    const QString image = dir.filePath("image.dat");
    const QString never = dir.filePath("never.dat");
    ASSERT_TRUE(WriteFile(image, Pattern()));
    FakeSysfs sys("cli-smbus");
    sys.AddDevice("pci0000:00/0000:00:1f.3", "pci", "0x0c0500");
    sys.AddAdapter(0, "SMBus I801 adapter at efa0", "pci0000:00/0000:00:1f.3");
    for (const QStringList& command :
         {QStringList{"dump"}, {"read", never}, {"write", image}, {"verify", image}}) {
        std::ostringstream out;
        std::ostringstream err;
        CliTool tool(out, err, false);
        tool.SetPortSetup(
            [&](PortFactory& factory) { factory.Session().SetSysfsRoot(sys.Root()); });
        EXPECT_EQ(tool.Run(QStringList{"tarnel-cli", "--port", "i2c:0"} + command), 3);
        for (const char* part :
             {"/dev/i2c-0 (SMBus I801 adapter at efa0) is the computer's own",
              "SPD data at 0x50 to 0x57", "through a USB or other I2C adapter"}) {
            EXPECT_NE(err.str().find(part), std::string::npos) << err.str();
        }
    }
    EXPECT_FALSE(QFile::exists(never));
}

}  // namespace
