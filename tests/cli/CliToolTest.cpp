#include "CliTool.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <sstream>

#include "PortFactory.h"
#include "QtPrinters.h"
#include "SimEeprom.h"

namespace {

struct Outcome {
    int exit = -1;
    QString out;
    QString err;
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

    QString Path(const QString& name) const { return dir.filePath(name); }
    QString SimPort() const { return "sim:" + Path("switch.bin"); }

    Outcome Run(QStringList arguments, bool withPort = true) const {
        if (withPort) {
            arguments = QStringList{"--port", SimPort()} + arguments;
        }
        QProcess process;
        process.start(QStringLiteral(TARNEL_CLI_PATH), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
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

TEST_F(CliToolTest, ALongerFileGivesItsFirst128BytesAndAShortOneIsRefused) {
    EXPECT_EQ(Run({"write", MakeFile("long.dat", Pattern(200))}).exit, 0);
    EXPECT_EQ(Device(), Pattern());

    const Outcome refused = Run({"write", MakeFile("short.dat", Pattern(64, 7))});
    EXPECT_EQ(refused.exit, 4);
    EXPECT_TRUE(refused.err.contains("holds 64 bytes")) << refused.err.toStdString();
    EXPECT_EQ(Device(), Pattern());
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
    EXPECT_TRUE(denied.err.contains("Access to /sys/tarnel-cli-test.dat was denied."));
}

TEST_F(CliToolTest, UsageErrorsExitWithTwo) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"flash"}, QStringList{"read"}, QStringList{"dump", "x.dat"},
          QStringList{"--colour", "dump"}}) {
        const Outcome result = Run(arguments);
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
}

TEST_F(CliToolTest, APortThatCannotBeOpenedExitsWithThree) {
    const Outcome result = Run({"--port", "/dev/parport_tarnel_absent", "dump"}, false);
    EXPECT_EQ(result.exit, 3);
    EXPECT_TRUE(result.err.contains("Cannot open the parallel port /dev/parport_tarnel_absent"));
}

TEST_F(CliToolTest, ATraceDecodesWithSigrok) {
    const QString trace = Path("dump.vcd");
    ASSERT_EQ(Run({"--trace", trace, "dump"}).exit, 0);
    QProcess sigrok;
    sigrok.start(
        QStringLiteral(TARNEL_SIGROK_CLI),
        {"-I", "vcd", "-i", trace, "-P", "i2c:scl=SCL:sda=SDA,eeprom24xx", "-A", "eeprom24xx"});
    ASSERT_TRUE(sigrok.waitForFinished(30000));
    const QString decoded = QString::fromUtf8(sigrok.readAllStandardOutput());
    EXPECT_TRUE(decoded.contains("Sequential random read (addr=00, 128 bytes): A5 A4 A7"))
        << decoded.left(500).toStdString();
}

TEST_F(CliToolTest, AnI2cAdapterGivesTheSameResultsAsTheParallelPort) {
    const QString image = MakeFile("image.dat", Pattern());
    for (const QString& port : {"sim:" + Path("lpt.bin"), "i2c:sim:" + Path("i2c.bin")}) {
        const Outcome written = Run({"--port", port, "write", image}, false);
        EXPECT_EQ(written.exit, 0) << port.toStdString() << written.err.toStdString();
        EXPECT_EQ(written.out, "PASS!\n");
    }
    EXPECT_EQ(Contents(Path("lpt.bin")), Pattern());
    EXPECT_EQ(Contents(Path("i2c.bin")), Pattern());
    EXPECT_EQ(Run({"--port", "sim:" + Path("lpt.bin"), "dump"}, false).out,
              Run({"--port", "i2c:sim:" + Path("i2c.bin"), "dump"}, false).out);

    const Outcome traced = Run({"--port", "i2c:sim", "--trace", Path("t.vcd"), "dump"}, false);
    EXPECT_EQ(traced.exit, 3);
    EXPECT_TRUE(traced.err.contains("parallel ports only")) << traced.err.toStdString();
}

TEST_F(CliToolTest, ListPortsNeedsNoPort) {
    const Outcome listed = Run({"list-ports"}, false);
    EXPECT_EQ(listed.exit, 0);
    EXPECT_EQ(Run({"list-ports", "x"}, false).exit, 2);
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

}  // namespace
