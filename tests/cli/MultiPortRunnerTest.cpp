// SPDX-License-Identifier: GPL-3.0-or-later
#include "MultiPortRunner.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <sstream>
#include <stdexcept>

#include "CliTool.h"
#include "PortFactory.h"
#include "QtPrinters.h"
#include "SimEeprom.h"

namespace {

// Simulated switches, each kept in a file of its own, and an image file.
class MultiPortTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QByteArray bytes = QByteArray(128, '\x3C');
    QString image = dir.filePath("image.dat");

    void SetUp() override { ASSERT_TRUE(Store(image, bytes)); }
    static bool Store(const QString& path, const QByteArray& contents) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
    }
    QString Sim(const char* name) const { return "sim:" + dir.filePath(name); }
};

TEST_F(MultiPortTest, APortThatFailsLeavesTheOthersToFinish) {
    // Switches holding the image already, named in the environment with a
    // port that cannot open between them.
    ASSERT_TRUE(Store(dir.filePath("a"), bytes) && Store(dir.filePath("c"), bytes));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TARNEL_PORT", Sim("a") + ",/dev/parport_tarnel_absent," + Sim("c"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TARNEL_CLI_PATH), {"verify", image});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 3);
    EXPECT_EQ(process.readAllStandardOutput(), Sim("a") + ": PASS!\n" + Sim("c") + ": PASS!\n");
    EXPECT_TRUE(process.readAllStandardError().startsWith(
        "/dev/parport_tarnel_absent: tarnel-cli: Cannot open the parallel port"));
}

TEST_F(MultiPortTest, EachPortWritesOnItsOwnAndTheWorstStatusWins) {
    // "p" is write-protected (its read-back differs), "x" is absent.
    const auto run = [&](const QStringList& command, std::string& text) {
        std::ostringstream out;
        CliTool tool(out, out, false);
        tool.SetPortSetup([&](PortFactory& factory) {
            SimEeprom& sim = *factory.Simulator();
            sim.SetWriteCycle(0);
            sim.GetFaults().writeProtected = factory.PortName() == Sim("p").toStdString();
            sim.GetFaults().absent = factory.PortName() == Sim("x").toStdString();
        });
        const int status = tool.Run(QStringList{"tarnel-cli"} + command);
        text = out.str();
        return status;
    };
    std::string text;
    EXPECT_EQ(run({"--port", Sim("a"), "--port", Sim("p"), "write", image}, text), 1);
    EXPECT_EQ(
        run({"--port", Sim("p"), "--port", Sim("x"), "--port", Sim("c"), "write", image}, text), 3);
    EXPECT_NE(text.find(Sim("x").toStdString() + ": tarnel-cli: Writing the EEPROM failed"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(Sim("p").toStdString() + ": 128 registers differ."), std::string::npos);
    EXPECT_NE(text.find(Sim("c").toStdString() + ": PASS!"), std::string::npos);

    EXPECT_EQ(run({"--port", Sim("c"), "--port", "i2c:sim", "--port", Sim("x"), "probe"}, text), 3);
    EXPECT_NE(text.find("i2c:sim: EEPROM acknowledges a read of one byte at 0x50: ok\n"),
              std::string::npos);
    EXPECT_NE(text.find(Sim("x").toStdString() + ": EEPROM acknowledges its address 0xA0: FAILED"),
              std::string::npos);
    EXPECT_EQ(run({"--port", "sim", "--port", "sim", "read", "r.dat"}, text), CliTool::kUsage);
}

TEST_F(MultiPortTest, JsonIsAnArrayAndTheLogKeepsARecordPerPort) {
    const QString log = dir.filePath("audit.jsonl");
    std::ostringstream out;
    std::ostringstream err;
    CliTool tool(out, err, false);
    EXPECT_EQ(tool.Run({"tarnel-cli", "--json", "--log", log, "--port", Sim("a"), "--port",
                        "/dev/parport_tarnel_absent", "probe"}),
              3);
    const QJsonArray printed =
        QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).array();
    ASSERT_EQ(printed.size(), 2);
    EXPECT_EQ(printed[0]["result"].toString(), "ok");
    EXPECT_EQ(printed[0]["steps"].toArray().size(), 5);
    EXPECT_EQ(printed[1]["exit"].toInt(), 3);
    EXPECT_EQ(printed[1]["port"].toString(), "/dev/parport_tarnel_absent");
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> records = file.readAll().trimmed().split('\n');
    ASSERT_EQ(records.size(), 2);
    for (const QByteArray& record : records) {
        EXPECT_EQ(QJsonDocument::fromJson(record)["operation"].toString(), "probe");
    }
}

TEST(MultiPortRunnerTest, AThrowingPortIsAFailureOfItsOwn) {
    const auto run = [](bool json, std::ostringstream& out, std::ostringstream& err) {
        return MultiPortRunner::Run(
            {"one", "two", "three"},
            [json](const std::string& port, std::ostream& o, std::ostream&) {
                if (port == "two") {
                    throw std::runtime_error("lost");
                }
                o << (json ? "{\"port\":\"" + port + "\"}\n" : "done\nno line feed");
                return 0;
            },
            out, err, json);
    };
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(run(false, out, err), 3);
    EXPECT_EQ(out.str(), "one: done\none: no line feed\nthree: done\nthree: no line feed\n");
    EXPECT_EQ(err.str(), "two: tarnel-cli: lost\n");
    std::ostringstream json;
    EXPECT_EQ(run(true, json, err), 3);
    EXPECT_EQ(json.str(),
              "[{\"port\":\"one\"},{\"exit\":3,\"message\":\"tarnel-cli: lost\",\"port\":\"two\","
              "\"result\":\"failed\"},{\"port\":\"three\"}]\n");
    EXPECT_EQ(MultiPortRunner::Worse(4, 3), 4);
    EXPECT_EQ(MultiPortRunner::Worse(1, 2), 2);

    QString problem;
    EXPECT_EQ(MultiPortRunner::ChoosePortNames({"sim", "sim", "i2c:sim"}, problem).size(), 3u);
    EXPECT_TRUE(MultiPortRunner::ChoosePortNames({"sim:f", "sim:f"}, problem).empty());
    EXPECT_EQ(problem, "The port sim:f is named twice.");
    EXPECT_TRUE(MultiPortRunner::ChoosePortNames({"sim", ""}, problem).empty());
}

}  // namespace
