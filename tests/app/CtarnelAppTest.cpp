// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "AppFixture.h"
#include "CommandIds.h"

namespace {

using Icon = Prompter::Icon;

std::unique_ptr<QSettings> Settings() {
    return std::make_unique<QSettings>(QStringLiteral("Local AppWizard-Generated Applications"),
                                       QStringLiteral("tarnel"));
}

class CtarnelAppTest : public AppFixture {};

TEST_F(CtarnelAppTest, StartsWithAZeroImageAnEmptyNameAndTheUntitledCaption) {
    EXPECT_EQ(app->m_image, EepromImage{});
    EXPECT_EQ(app->m_readBack, EepromImage{});
    EXPECT_TRUE(app->m_strImageFile.isEmpty());
    EXPECT_EQ(Caption(), "Untitled - TARNEL");
    EXPECT_EQ(AfxGetApp(), app.get());
    EXPECT_TRUE(Frame().isVisible());
}

// Placed before it is shown, the window is laid out and painted once, at its
// own size: never first at another one, with scroll bars.
// The icon follows the first paint, as the event loop begins.
TEST_F(CtarnelAppTest, TheWindowIsPaintedOnceAsItStartsAndThenGetsItsIcon) {
    EXPECT_EQ(View().PaintCount(), 1);
    EXPECT_FALSE(View().horizontalScrollBar()->isVisible());
    EXPECT_FALSE(View().verticalScrollBar()->isVisible());
    QCoreApplication::processEvents();
    const QList<QSize> sizes = Frame().windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)) && sizes.contains(QSize(16, 16)));
}

TEST_F(CtarnelAppTest, TheWindowIsPlacedAt250By200With530By390Outside) {
    EXPECT_EQ(Frame().frameGeometry(), QRect(250, 200, 530, 390));
    EXPECT_TRUE(Frame().findChildren<QToolBar*>().isEmpty());
    EXPECT_TRUE(Frame().findChildren<QStatusBar*>().isEmpty());
    EXPECT_EQ(Frame().centralWidget(), &View());
}

// The caption names a port other than the default, however it was chosen.
TEST_F(CtarnelAppTest, TheCaptionNamesAPortOtherThanTheDefault) {
    const struct {
        QStringList arguments;
        QString caption;
    } cases[] = {
        {{"--port", "/dev/parport0"}, "Untitled - TARNEL"},
        {{"--port", "i2c:i2c-tiny-usb"}, "Untitled - TARNEL [i2c:i2c-tiny-usb]"},
        {{"--port", "sim"}, "Untitled - TARNEL [sim]"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Start(c.arguments));
        EXPECT_EQ(Caption(), c.caption);
    }
    Send(CommandId::ToolsModify);  // any title change keeps the port
    prompter.dialogScripts.clear();
    app->Document()->SetTitle("Upload");
    EXPECT_EQ(Caption(), "Upload - TARNEL [sim]");
}

// The window keeps its place where it fits the available area, moves into an
// area it would leave, and shrinks to one smaller than itself, the grid then
// scrolling (a 1280 x 1024 screen at scale factor 2 is 640 x 512).
TEST_F(CtarnelAppTest, TheWindowStaysWithinTheAvailableArea) {
    const struct {
        QRect available;
        QRect placed;
        bool scrolls;
    } cases[] = {
        {QRect(0, 0, 1280, 1024), QRect(250, 200, 530, 390), false},
        {QRect(0, 0, 640, 512), QRect(110, 122, 530, 390), false},
        {QRect(0, 30, 640, 482), QRect(110, 122, 530, 390), false},
        {QRect(0, 0, 400, 300), QRect(0, 0, 400, 300), true},
    };
    for (const auto& c : cases) {
        Frame().PlaceWindow(c.available);
        QApplication::processEvents();
        EXPECT_EQ(Frame().frameGeometry(), c.placed) << c.available.width();
        EXPECT_EQ(View().horizontalScrollBar()->maximum() > 0, c.scrolls) << c.available.width();
        EXPECT_EQ(View().verticalScrollBar()->maximum() > 0, c.scrolls) << c.available.width();
    }
}

// Labels widened by a larger desktop font widen the grid; the window then
// grows so that its client area still holds all of it.
TEST_F(CtarnelAppTest, TheWindowGrowsToHoldAGridWidenedByALargerFont) {
    QFont large = View().font();
    large.setPixelSize(30);
    View().setFont(large);
    View().OnInitialUpdate();
    ASSERT_GT(View().Metrics().TotalWidth(), 530);
    ASSERT_GT(View().Metrics().TotalHeight(), 390);
    Frame().PlaceWindow(QRect(0, 0, 1280, 1024));
    QApplication::processEvents();
    EXPECT_EQ(Frame().frameGeometry().topLeft(), QPoint(250, 200));
    EXPECT_GT(Frame().frameGeometry().width(), 530);
    EXPECT_GT(Frame().frameGeometry().height(), 390);
    EXPECT_EQ(View().horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(View().verticalScrollBar()->maximum(), 0);
}

TEST_F(CtarnelAppTest, MenusHoldExactlyTheItemsAndCommands) {
    QStringList items;
    for (QAction* popup : Frame().menuBar()->actions()) {
        items << popup->text();
        for (QAction* item : popup->menu()->actions()) {
            // The menu shows the shortcut after a tab, as the text stored it.
            const QString shown =
                item->text() + (item->shortcut().isEmpty()
                                    ? QString()
                                    : QStringLiteral("\t") + item->shortcut().toString());
            items << (item->isSeparator() ? QStringLiteral("-")
                                          : shown + "=" + item->data().toString());
            EXPECT_TRUE(item->isEnabled());
        }
    }
    const QStringList expected = {"&File",
                                  "&New\tCtrl+N=57600",
                                  "&Open...\tCtrl+O=57601",
                                  "&Save\tCtrl+S=57603",
                                  "Save &As...=57604",
                                  "-",
                                  "E&xit=57665",
                                  "&Tools",
                                  "Verify=32772",
                                  "Upload=32773",
                                  "Download=32774",
                                  "Modify=32775",
                                  "&Help",
                                  "&About tarnel...=57664"};
    EXPECT_EQ(items, expected);
}

// Screen readers get the items' names without their keys, and the keys apart.
TEST_F(CtarnelAppTest, AccessibleMenuItemNamesCarryNoShortcut) {
    QMenu* file = Frame().menuBar()->actions().first()->menu();
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(file);
    ASSERT_NE(menu, nullptr);
    ASSERT_GE(menu->childCount(), 4);
    EXPECT_EQ(menu->child(0)->text(QAccessible::Name), "New");
    EXPECT_EQ(menu->child(0)->text(QAccessible::Accelerator), "Ctrl+N");
    EXPECT_EQ(menu->child(2)->text(QAccessible::Name), "Save");
    EXPECT_EQ(menu->child(3)->text(QAccessible::Name), "Save As...");
}

TEST_F(CtarnelAppTest, AcceleratorsCarryTheirCommands) {
    QStringList table;
    for (QAction* action : Frame().actions()) {
        table << action->shortcut().toString() + "=" + action->data().toString();
    }
    const QStringList expected = {"Ctrl+N=57600",   "Ctrl+O=57601",        "Ctrl+S=57603",
                                  "Ctrl+Z=57643",   "Ctrl+X=57635",        "Ctrl+C=57634",
                                  "Ctrl+V=57637",   "Alt+Backspace=57643", "Shift+Del=57635",
                                  "Ctrl+Ins=57634", "Shift+Ins=57637",     "F6=57680",
                                  "Shift+F6=57681"};
    EXPECT_EQ(table, expected);
}

TEST_F(CtarnelAppTest, KeysWithoutAHandlerChangeNothing) {
    app->m_image[3] = 0x33;
    app->m_strImageFile = PathOf("kept.dat");
    for (int command : {CommandId::EditUndo, CommandId::EditCut, CommandId::EditCopy,
                        CommandId::EditPaste, CommandId::NextPane, CommandId::PrevPane}) {
        EXPECT_FALSE(Send(command)) << command;
    }
    QTest::keyClick(&Frame(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&Frame(), Qt::Key_F6);
    EXPECT_EQ(app->m_image[3], 0x33);
    EXPECT_EQ(app->m_strImageFile, PathOf("kept.dat"));
    EXPECT_EQ(Caption(), "Untitled - TARNEL");
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(prompter.dialogsRun.empty());
}

TEST_F(CtarnelAppTest, AnAcceleratorRoutesLikeItsMenuItem) {
    app->m_image.fill(0x5A);
    QTest::keyClick(&Frame(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(app->m_image, EepromImage{});
}

TEST_F(CtarnelAppTest, AboutRunsTheAboutDialogThroughTheRoute) {
    QString caption;
    QSize size;
    QStringList texts;
    QRect icon;
    prompter.dialogScripts.push_back([&](QDialog& dialog) {
        caption = dialog.windowTitle();
        size = dialog.size();
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                texts << label->text();
            }
            if (!label->pixmap().isNull()) {
                icon = label->geometry();
            }
        }
        return QDialog::Accepted;
    });
    EXPECT_TRUE(Send(CommandId::AppAbout));
    ASSERT_EQ(prompter.dialogsRun.size(), 1u);
    EXPECT_EQ(prompter.dialogsRun[0], "CAboutDlg");
    EXPECT_EQ(caption, "About tarnel");
    EXPECT_EQ(size, QSize(353, 89));  // 235 x 55 dialog units at 96 dpi
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.first(), "tarnel Version 1.1");
    EXPECT_EQ(texts.size(), 2);
    // The whole 32 x 32 icon from the top-left corner of the 20 x 20 unit
    // control at (11, 17), which is only 30 px wide.
    EXPECT_EQ(icon, QRect(17, 28, 32, 32));
}

TEST_F(CtarnelAppTest, ExitClosesTheWindowWithoutAQuestion) {
    app->m_image.fill(0x11);
    EXPECT_TRUE(Send(CommandId::AppExit));
    EXPECT_FALSE(Frame().isVisible());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CtarnelAppTest, AFileOnTheCommandLineIsLoadedAndRemembered) {
    const QByteArray bytes = Pattern();
    const QString path = MakeFile("start.dat", bytes);
    ASSERT_TRUE(Start({path}));
    EXPECT_EQ(app->m_image, ImageOf(bytes));
    EXPECT_EQ(app->m_strImageFile, path);
    EXPECT_EQ(Caption(), path + " - TARNEL");
    EXPECT_EQ(app->RecentFiles(), QStringList{path});
    app->ExitInstance();
    EXPECT_EQ(Settings()->value("Recent File List/File1").toString(), path);
    EXPECT_FALSE(Settings()->contains("Recent File List/File2"));
    EXPECT_FALSE(Settings()->contains("Settings/PreviewPages"));
}

TEST_F(CtarnelAppTest, TheRecentFileListKeepsFourEntriesNewestFirst) {
    for (int i = 1; i <= 5; ++i) {
        app->AddToRecentFileList(QStringLiteral("/f%1.dat").arg(i));
    }
    app->AddToRecentFileList(QStringLiteral("/f3.dat"));
    EXPECT_EQ(app->RecentFiles(), (QStringList{"/f3.dat", "/f5.dat", "/f4.dat", "/f2.dat"}));
    app->ExitInstance();
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(app->RecentFiles(), (QStringList{"/f3.dat", "/f5.dat", "/f4.dat", "/f2.dat"}));
}

TEST_F(CtarnelAppTest, ACommandLineFileThatCannotBeLoadedIsReportedAndEndsTheProgram) {
    const QString missing = PathOf("missing.dat");
    EXPECT_FALSE(Start({missing}));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, missing + " was not found.");
    EXPECT_EQ(prompter.messages[0].caption, "tarnel");
    EXPECT_EQ(prompter.messages[0].icon, Icon::Exclamation);
    EXPECT_NE(app->ExitCode(), 0);

    prompter.messages.clear();
    const QString shortFile = MakeFile("short.dat", Pattern(64));
    EXPECT_FALSE(Start({shortFile}));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains("holds 64 bytes"))
        << prompter.messages[0].text.toStdString();
}

TEST_F(CtarnelAppTest, UnregisterRemovesTheSettingsTheirFileAndItsEmptyFolderAndEnds) {
    Settings()->setValue("Recent File List/File1", "/x.dat");
    Settings()->sync();
    const QFileInfo file(Settings()->fileName());
    EXPECT_FALSE(Start({"-UNREGISTER"}));
    EXPECT_EQ(app->m_pMainWnd, nullptr);
    EXPECT_EQ(app->ExitCode(), 0);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "System registry entries have been removed and the INI file (if any) was deleted.");
    EXPECT_EQ(prompter.messages[0].caption, "tarnel");
    EXPECT_FALSE(QFileInfo::exists(file.filePath()));
    EXPECT_FALSE(QFileInfo::exists(file.path()));
}

TEST_F(CtarnelAppTest, ABadCommandLineGoesToStandardErrorAndToABoxOnlyWithoutATerminal) {
    for (bool terminal : {false, true}) {
        prompter.errorIsTerminal = terminal;
        prompter.errors.clear();
        prompter.messages.clear();
        EXPECT_FALSE(Start({"--bogus"}));
        EXPECT_EQ(app->ExitCode(), 2);
        EXPECT_EQ(prompter.errors, "tarnel: Unknown option 'bogus'.\n");
        EXPECT_EQ(prompter.messages.size(), terminal ? 0u : 1u);
    }
}

// The built program prints its version with no display to open a window on.
TEST(TarnelProgramTest, VersionPrintsWithoutADisplay) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(TARNEL_GUI_PATH, {"--version"});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardOutput(), "tarnel 1.1\n");
}

}  // namespace
