#include "MultiPortRunner.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <sstream>
#include <stdexcept>

#include "CliTool.h"
#include "PortFactory.h"
#include "QtPrinters.h"
#include "SimEeprom.h"

namespace {

QByteArray Image() {
    QByteArray bytes(128, '\0');
    for (int i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 3 + 1);
    }
    return bytes;
}

QByteArray PatternOf(const EepromImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Three simulated switches, each kept in a file of its own, and an image.
class MultiPortTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString image;

    void SetUp() override {
        image = dir.filePath("image.dat");
        QFile file(image);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Image());
    }
    QString Sim(const QString& name) const { return "sim:" + dir.filePath(name + ".bin"); }
    QByteArray Device(const QString& name) const { return Contents(dir.filePath(name + ".bin")); }
};

TEST_F(MultiPortTest, APortThatFailsLeavesTheOthersToFinish) {
    // Switches that hold the image already, so no write cycle is waited on.
    for (const char* name : {"a", "c"}) {
        QFile device(dir.filePath(QString(name) + ".bin"));
        ASSERT_TRUE(device.open(QIODevice::WriteOnly));
        device.write(Image());
    }
    QProcess process;
    process.start(QStringLiteral(TARNEL_CLI_PATH),
                  {"--port", Sim("a"), "--port", "/dev/parport_tarnel_absent", "--port", Sim("c"),
                   "verify", image});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 3);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()),
              Sim("a") + ": PASS!\n" + Sim("c") + ": PASS!\n");
    const QString err = QString::fromUtf8(process.readAllStandardError());
    EXPECT_TRUE(err.startsWith("/dev/parport_tarnel_absent: tarnel-cli: Cannot open the parallel"))
        << err.toStdString();

    // The same two switches named in the environment.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TARNEL_PORT", Sim("a") + "," + Sim("c"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TARNEL_CLI_PATH), {"dump"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    const QStringList lines =
        QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 28);
    EXPECT_EQ(lines[1], Sim("a") + ":   0  01 04 07 0A 0D 10 13 16 19 1C");
    EXPECT_TRUE(lines[14].startsWith(Sim("c") + ": "));
}

TEST_F(MultiPortTest, TheExitStatusIsTheWorstOfThePorts) {
    // Port "p" is write-protected (its read-back differs), port "x" is absent.
    const auto run = [&](const QStringList& names) {
        std::ostringstream out;
        std::ostringstream err;
        CliTool tool(out, err, false);
        tool.SetPortSetup([&](PortFactory& factory) {
            SimEeprom& sim = *factory.Simulator();
            sim.SetWriteCycle(0);
            sim.GetFaults().writeProtected = factory.PortName() == Sim("p").toStdString();
            sim.GetFaults().absent = factory.PortName() == Sim("x").toStdString();
        });
        QStringList arguments{"tarnel-cli"};
        for (const QString& name : names) {
            arguments << "--port" << Sim(name);
        }
        const int status = tool.Run(arguments << "write" << image);
        return std::make_pair(status, out.str() + err.str());
    };
    EXPECT_EQ(run({"a", "b"}).first, 0);
    EXPECT_EQ(run({"a", "p"}).first, 1);
    const auto [worst, text] = run({"p", "x", "c"});
    EXPECT_EQ(worst, 3);
    EXPECT_NE(text.find(Sim("x").toStdString() + ": tarnel-cli: Writing the EEPROM failed at "
                                                 "register 0"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(Sim("p").toStdString() + ": 120 registers differ."), std::string::npos)
        << text;
    EXPECT_EQ(Device("c"), Image());
    EXPECT_EQ(Device("x"), PatternOf(SimEeprom::Pattern()));
}

TEST_F(MultiPortTest, ProbeRunsOnEveryPort) {
    std::ostringstream out;
    std::ostringstream err;
    CliTool tool(out, err, false);
    const int status = tool.Run({"tarnel-cli", "--port", Sim("a"), "--port", "i2c:sim", "--port",
                                 "/dev/parport_tarnel_absent", "probe"});
    EXPECT_EQ(status, 3);
    const std::string a = Sim("a").toStdString();
    EXPECT_NE(out.str().find(a + ": bus left idle (SDA and SCL released): ok\n"),
              std::string::npos);
    EXPECT_NE(out.str().find("i2c:sim: EEPROM acknowledges a read of one byte at 0x50: ok\n"),
              std::string::npos);
    EXPECT_NE(out.str().find("/dev/parport_tarnel_absent: the port opens: FAILED: Cannot open"),
              std::string::npos)
        << out.str();
}

TEST(MultiPortRunnerTest, AThrowingPortIsAFailureOfItsOwn) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = MultiPortRunner::Run(
        {"one", "two", "three"},
        [](const std::string& port, std::ostream& o, std::ostream&) {
            if (port == "two") {
                throw std::runtime_error("lost");
            }
            o << "done\nno line feed";
            return 0;
        },
        out, err);
    EXPECT_EQ(status, 3);
    EXPECT_EQ(out.str(), "one: done\none: no line feed\nthree: done\nthree: no line feed\n");
    EXPECT_EQ(err.str(), "two: tarnel-cli: lost\n");
    EXPECT_EQ(MultiPortRunner::Worse(4, 3), 4);
    EXPECT_EQ(MultiPortRunner::Worse(1, 2), 2);
}

TEST(MultiPortRunnerTest, PortNamesAndWhatSeveralPortsRefuse) {
    QString problem;
    EXPECT_EQ(MultiPortRunner::ChoosePortNames({"sim", "sim", "i2c:sim"}, problem).size(), 3u);
    EXPECT_TRUE(MultiPortRunner::ChoosePortNames({"sim:f", "sim:f"}, problem).empty());
    EXPECT_EQ(problem, "The port sim:f is named twice.");
    EXPECT_TRUE(MultiPortRunner::ChoosePortNames({"sim", ""}, problem).empty());

    for (const QStringList& arguments :
         {QStringList{"read", "x.dat"}, QStringList{"--trace", "t.vcd", "dump"}}) {
        std::ostringstream out;
        std::ostringstream err;
        CliTool tool(out, err, false);
        EXPECT_EQ(tool.Run(QStringList{"tarnel-cli", "--port", "sim", "--port", "sim"} + arguments),
                  CliTool::kUsage)
            << arguments.join(' ').toStdString();
        EXPECT_TRUE(out.str().empty());
    }
}

}  // namespace
