// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibPq.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QProcess>

namespace {

// The libraries the dynamic loader maps when `program` starts, as ldd lists
// them.
QString LoadedAtStart(const QString& program) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_TRACE_LOADED_OBJECTS"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.start(program, {});
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// libpq and libusb are loaded when a database or a CH341A is first used.
TEST(LibPqTest, TheProgramsStartWithoutLibpqOrLibusb) {
    for (const char* program : {TARNEL_GUI_PATH, TARNEL_CLI_PATH}) {
        const QString libraries = LoadedAtStart(QString::fromLatin1(program));
        EXPECT_TRUE(libraries.contains(QLatin1String("libQt6Core")))
            << program << " was not traced:\n"
            << libraries.toStdString();
        for (const char* library : {"libpq", "libusb"}) {
            EXPECT_FALSE(libraries.contains(QLatin1String(library))) << program << ":\n"
                                                                     << libraries.toStdString();
        }
    }
}

TEST(LibPqTest, TheFirstUseLoadsTheLibraryOnceForTheProcess) {
    QString error;
    const LibPq* first = LibPq::Get(error);
    ASSERT_NE(first, nullptr) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(LibPq::Get(error), first);
    Dl_info where{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(first->connectdbParams), &where), 0);
    EXPECT_TRUE(QString::fromLocal8Bit(where.dli_fname).contains(QLatin1String(LibPq::kLibrary)))
        << where.dli_fname;
}

}  // namespace
