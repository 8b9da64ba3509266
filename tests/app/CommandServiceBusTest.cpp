// SPDX-License-Identifier: GPL-3.0-or-later
// Runs under a private session bus (dbus-run-session): starts the built GUI
// offscreen against a simulated switch and sends it commands over D-Bus.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

namespace {

const QString kService = QStringLiteral("org.tarnel.Tarnel");
const QString kPath = QStringLiteral("/MainFrame");
const QString kInterface = QStringLiteral("org.tarnel.Tarnel");

QByteArray Pattern() {
    QByteArray bytes(128, '\0');
    for (int i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>((i * 11 + 5) & 0xFF);
    }
    return bytes;
}

class CommandServiceBusTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QProcess gui;

    void SetUp() override {
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected())
            << "run this test under dbus-run-session";
        gui.setWorkingDirectory(dir.path());
        gui.setProcessChannelMode(QProcess::ForwardedChannels);
        gui.start(QStringLiteral(TARNEL_GUI_PATH), {"--port", "sim:" + dir.filePath("switch.bin")});
        ASSERT_TRUE(gui.waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (!QDBusConnection::sessionBus().interface()->isServiceRegistered(kService) &&
               waited.elapsed() < 20000) {
            QThread::msleep(20);
        }
        ASSERT_TRUE(QDBusConnection::sessionBus().interface()->isServiceRegistered(kService));
    }
    void TearDown() override {
        gui.kill();
        gui.waitForFinished();
    }
};

TEST_F(CommandServiceBusTest, Command32776WritesDefaultDatToTheDeviceAndSaysItFinished) {
    QFile image(dir.filePath("default.dat"));
    ASSERT_TRUE(image.open(QIODevice::WriteOnly));
    image.write(Pattern());
    image.close();

    QDBusInterface frame(kService, kPath, kInterface);
    QSignalSpy finished(&frame, SIGNAL(CommandFinished(int, bool, QString)));
    ASSERT_TRUE(finished.isValid());
    const QDBusReply<bool> reply = frame.call(QStringLiteral("Command"), 32776);
    ASSERT_TRUE(reply.isValid()) << reply.error().message().toStdString();
    EXPECT_TRUE(reply.value());

    // The command runs after the reply; wait for the device to hold the file.
    QByteArray device;
    QElapsedTimer waited;
    waited.start();
    while (device != Pattern() && waited.elapsed() < 20000) {
        QThread::msleep(20);
        QFile file(dir.filePath("switch.bin"));
        device = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    EXPECT_EQ(device, Pattern());
    if (finished.isEmpty()) {
        ASSERT_TRUE(finished.wait(20000));
    }
    EXPECT_EQ(finished[0], (QVariantList{32776, true, QString()}));
}

TEST_F(CommandServiceBusTest, AnOpenDialogMakesTheWindowRefuseWithBusy) {
    QDBusInterface frame(kService, kPath, kInterface);
    const QDBusReply<bool> about = frame.call(QStringLiteral("Command"), 57664);
    ASSERT_TRUE(about.isValid());
    EXPECT_TRUE(about.value());  // queued: About opens its modal dialog after the reply
    QDBusError error;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000) {
        const QDBusReply<bool> reply = frame.call(QStringLiteral("Command"), 57600);
        if (!reply.isValid()) {
            error = reply.error();
            break;
        }
        QThread::msleep(20);
    }
    EXPECT_EQ(error.name(), "org.tarnel.Tarnel.Error.Busy");
    EXPECT_TRUE(error.message().contains("busy"));
}

// A second window on the same bus starts, but says that the commands go to
// the first, which keeps them.
TEST_F(CommandServiceBusTest, ASecondWindowSaysThatCommandsGoToTheFirst) {
    QProcess second;
    second.setWorkingDirectory(dir.path());
    second.start(QStringLiteral(TARNEL_GUI_PATH), {"--port", "sim:" + dir.filePath("other.bin")});
    ASSERT_TRUE(second.waitForStarted());
    QByteArray said;
    QElapsedTimer waited;
    waited.start();
    while (!said.contains("go to that window") && waited.elapsed() < 20000) {
        second.waitForReadyRead(100);
        said += second.readAllStandardError();
    }
    second.kill();
    second.waitForFinished();
    EXPECT_TRUE(said.contains("Another tarnel window already takes the D-Bus commands"))
        << said.toStdString();
    EXPECT_EQ(gui.state(), QProcess::Running);
}

}  // namespace
