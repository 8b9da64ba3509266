// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "CMainFrame.h"
#include "CtarnelApp.h"
#include "CtarnelDoc.h"
#include "CtarnelView.h"
#include "QtPrinters.h"
#include "ScriptedPrompter.h"

// A started application with a scripted prompter and a folder for files. The
// file dialogs change the current directory, so the fixture gives back the one
// it found.
class AppFixture : public ::testing::Test {
protected:
    const QString startDirectory = QDir::currentPath();
    ScriptedPrompter prompter;
    std::unique_ptr<CtarnelApp> app;
    QTemporaryDir dir;

    ~AppFixture() override { QDir::setCurrent(startDirectory); }

    void SetUp() override { ASSERT_TRUE(Start({})); }

    bool Start(const QStringList& arguments) {
        app.reset();
        app = std::make_unique<CtarnelApp>(prompter);
        if (!app->InitInstance(arguments)) {
            return false;
        }
        // Paints and shortcuts reach only an exposed, active window.
        Frame().activateWindow();
        return QTest::qWaitForWindowExposed(&Frame()) && QTest::qWaitForWindowActive(&Frame());
    }

    CMainFrame& Frame() const { return *app->m_pMainWnd; }
    CtarnelView& View() const { return *Frame().View(); }
    QString Caption() const { return Frame().windowTitle(); }
    bool Send(int command) const { return Frame().RouteCommand(command); }

    QString PathOf(const QString& name) const { return dir.filePath(name); }

    // Writes `bytes` to the file `name` in the fixture's folder; returns its path.
    QString MakeFile(const QString& name, const QByteArray& bytes) const {
        const QString path = PathOf(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    static QByteArray ReadFile(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    // 128 bytes, byte i = (i * 3 + 7) mod 256: an off-by-one shows.
    static QByteArray Pattern(int size = 128, int offset = 7) {
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i) {
            bytes[i] = static_cast<char>((i * 3 + offset) & 0xFF);
        }
        return bytes;
    }

    static EepromImage ImageOf(const QByteArray& bytes) {
        EepromImage image{};
        for (std::size_t i = 0; i < image.size(); ++i) {
            image[i] = static_cast<uint8_t>(bytes[static_cast<int>(i)]);
        }
        return image;
    }
};
