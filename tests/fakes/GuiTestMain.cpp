// SPDX-License-Identifier: GPL-3.0-or-later
// Main of the GUI test programs: one QApplication for all tests of a program,
// and per-user settings and caches kept in a temporary folder of this run, so tests
// never touch the real settings and never see each other's. The user's own
// port, audit log and simulator faults are left out too (they would change
// what the tests see, and collect their records), and so is the user's
// session bus where a program's tests bring no bus of their own, and the
// user's language: the programs the tests start speak English.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char* argv[]) {
    for (const char* name :
         {"TARNEL_PORT", "TARNEL_LOG", "TARNEL_SIM_FAULT", "LC_ALL", "LANGUAGE"}) {
        qunsetenv(name);
    }
    qputenv("LC_MESSAGES", "C");
#ifdef TARNEL_TEST_WITHOUT_SESSION_BUS
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tarnel-tests-have-no-bus");
#endif
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();  // listing needs no display
    }
    QApplication application(argc, argv);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    qputenv("XDG_CACHE_HOME", settings.filePath(QStringLiteral("cache")).toLocal8Bit());
    return RUN_ALL_TESTS();
}
