// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/file.h>

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "AppFixture.h"
#include "CommandIds.h"
#include "ImageFormat.h"
#include "NonRegularFiles.h"

namespace {

using Icon = Prompter::Icon;

class CtarnelDocTest : public AppFixture {
protected:
    // Sends `command` and checks that the view was painted before it returned.
    void SendAndExpectRepaint(int command) {
        const int before = View().PaintCount();
        EXPECT_TRUE(Send(command));
        EXPECT_GT(View().PaintCount(), before) << "no synchronous repaint";
    }
    void ExpectOneMessage(const QString& text, Icon icon) {
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text, text);
        EXPECT_EQ(prompter.messages[0].caption, "tarnel");
        EXPECT_EQ(prompter.messages[0].icon, icon);
        prompter.messages.clear();
    }
};

TEST_F(CtarnelDocTest, NewZeroesTheImageAndKeepsNameAndTitle) {
    const QString path = MakeFile("a.dat", Pattern());
    prompter.openPaths.push_back(path);
    Send(CommandId::FileOpen);
    SendAndExpectRepaint(CommandId::FileNew);
    EXPECT_EQ(app->m_image, EepromImage{});
    EXPECT_EQ(app->m_strImageFile, path);
    EXPECT_EQ(Caption(), path + " - TARNEL");
}

TEST_F(CtarnelDocTest, OpenLoadsAllBytesAndShowsThePathAsTitle) {
    const QString path = MakeFile("a.dat", Pattern());
    prompter.openPaths.push_back(path);
    SendAndExpectRepaint(CommandId::FileOpen);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_EQ(app->m_strImageFile, path);
    EXPECT_EQ(Caption(), path + " - TARNEL");
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(app->m_readBack, EepromImage{});
}

TEST_F(CtarnelDocTest, OpenOfALongerFileTakesItsFirst128Bytes) {
    const QByteArray bytes = Pattern(200);
    prompter.openPaths.push_back(MakeFile("long.dat", bytes));
    Send(CommandId::FileOpen);
    EXPECT_EQ(app->m_image, ImageOf(bytes));
}

TEST_F(CtarnelDocTest, CancelledDialogsChangeNothing) {
    app->m_image[0] = 0x42;
    Send(CommandId::FileOpen);
    Send(CommandId::FileSaveAs);
    EXPECT_EQ(app->m_image[0], 0x42);
    EXPECT_TRUE(app->m_strImageFile.isEmpty());
    EXPECT_EQ(Caption(), "Untitled - TARNEL");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CtarnelDocTest, AShortFileIsRefusedAndNothingChanges) {
    const QString previous = MakeFile("previous.dat", Pattern());
    prompter.openPaths = {previous, MakeFile("ten.dat", Pattern(10, 99)),
                          MakeFile("empty.dat", QByteArray())};
    Send(CommandId::FileOpen);
    for (const char* name : {"ten.dat", "empty.dat"}) {
        Send(CommandId::FileOpen);
        const QString size = QString::fromLatin1(name) == "ten.dat" ? "10" : "0";
        ExpectOneMessage(PathOf(name) + " is not an image file: it holds " + size +
                             " bytes where an image file holds 128.",
                         Icon::Exclamation);
        EXPECT_EQ(app->m_image, ImageOf(Pattern())) << name;
        EXPECT_EQ(app->m_strImageFile, previous);
        EXPECT_EQ(Caption(), previous + " - TARNEL");
    }
}

TEST_F(CtarnelDocTest, OpenFailuresKeepTheOldNameSoSaveCannotHitTheUnloadedFile) {
    const QString previous = MakeFile("previous.dat", Pattern());
    prompter.openPaths.push_back(previous);
    Send(CommandId::FileOpen);

    // A missing file, and a file another tarnel holds.
    const QString missing = PathOf("missing.dat");
    const QString held = MakeFile("held.dat", Pattern(128, 1));
    QFile holder(held);
    ASSERT_TRUE(holder.open(QIODevice::ReadOnly));
    ASSERT_EQ(::flock(holder.handle(), LOCK_EX | LOCK_NB), 0);

    struct {
        QString path;
        QString text;
    } cases[] = {{missing, missing + " was not found."},
                 {held, held + " is in use by another program; try again."}};
    for (const auto& c : cases) {
        prompter.openPaths.push_back(c.path);
        Send(CommandId::FileOpen);
        ExpectOneMessage(c.text, Icon::Exclamation);
        EXPECT_EQ(app->m_strImageFile, previous);
        EXPECT_EQ(Caption(), previous + " - TARNEL");
        EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    }
    app->m_image[0] = 0xEE;
    Send(CommandId::FileSave);
    EXPECT_EQ(ReadFile(held), Pattern(128, 1));
    EXPECT_EQ(static_cast<uint8_t>(ReadFile(previous)[0]), 0xEE);
}

TEST_F(CtarnelDocTest, OpenAndSaveAsRefuseSpecialFilesAtOnce) {
    const QString previous = MakeFile("previous.dat", Pattern());
    prompter.openPaths.push_back(previous);
    Send(CommandId::FileOpen);
    // A FIFO with no writer would hold the window for ever if the open
    // blocked; ImageFileTest refuses every other kind too.
    const auto [path, kind] = MakeNonRegularFiles(dir.path()).front();
    prompter.openPaths.push_back(path);
    Send(CommandId::FileOpen);
    ExpectOneMessage(path + " is " + kind + ", not an image file.", Icon::Exclamation);
    prompter.savePaths.push_back(path);
    Send(CommandId::FileSaveAs);
    ExpectOneMessage(path + " is " + kind + ", not an image file.", Icon::Exclamation);
    EXPECT_EQ(app->m_strImageFile, previous);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
}

TEST_F(CtarnelDocTest, SaveWithoutANameRunsSaveAs) {
    app->m_image = ImageOf(Pattern());
    const QString path = PathOf("new.dat");
    prompter.savePaths.push_back(path);
    Send(CommandId::FileSave);
    EXPECT_EQ(ReadFile(path), Pattern());
    EXPECT_EQ(app->m_strImageFile, path);
    EXPECT_EQ(Caption(), path + " - TARNEL");
}

TEST_F(CtarnelDocTest, SaveWithoutANameAndACancelledDialogWritesNothing) {
    Send(CommandId::FileSave);
    EXPECT_TRUE(app->m_strImageFile.isEmpty());
    EXPECT_EQ(Caption(), "Untitled - TARNEL");
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CtarnelDocTest, SaveAfterNewWritesZerosToTheCurrentFileWithoutADialog) {
    const QString path = MakeFile("a.dat", Pattern(300));
    prompter.openPaths.push_back(path);
    Send(CommandId::FileOpen);
    Send(CommandId::FileNew);
    Send(CommandId::FileSave);
    EXPECT_EQ(ReadFile(path), QByteArray(128, '\0'));  // exactly 128 bytes, whatever was there
    EXPECT_EQ(Caption(), path + " - TARNEL");
}

TEST_F(CtarnelDocTest, SaveAsReplacesAnExistingFileTheUserConfirmed) {
    const QString path = MakeFile("old.dat", QByteArray(5, 'x'));
    app->m_image = ImageOf(Pattern());
    prompter.savePaths.push_back(path);
    Send(CommandId::FileSaveAs);
    EXPECT_EQ(ReadFile(path), Pattern());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CtarnelDocTest, OpenSaveAndSaveAsUseTheFormatTheNameSays) {
    const QString hex =
        MakeFile("vendor.hex", ImageFormat::Encode(ImageFormat::Kind::ihex, ImageOf(Pattern())));
    prompter.openPaths.push_back(hex);
    Send(CommandId::FileOpen);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    app->m_image[7] = 0x42;
    Send(CommandId::FileSave);
    EXPECT_EQ(ReadFile(hex), ImageFormat::Encode(ImageFormat::Kind::ihex, app->m_image));
    const QString srec = PathOf("copy.S19");
    prompter.savePaths.push_back(srec);
    Send(CommandId::FileSaveAs);
    EXPECT_EQ(ReadFile(srec), ImageFormat::Encode(ImageFormat::Kind::srec, app->m_image));

    // A broken text image is refused with its line; the image stays.
    const EepromImage before = app->m_image;
    prompter.openPaths.push_back(MakeFile("broken.mot", ReadFile(srec).replace("S1", "S6")));
    Send(CommandId::FileOpen);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, PathOf("broken.mot") +
                                             " is not a valid S-record image: "
                                             "line 2: record type S6 has no "
                                             "place in an image file.");
    EXPECT_EQ(app->m_image, before);
}

TEST_F(CtarnelDocTest, AFailedSaveAsKeepsNameAndTitle) {
    const QString previous = MakeFile("previous.dat", Pattern());
    prompter.openPaths.push_back(previous);
    Send(CommandId::FileOpen);
    const QString target = PathOf("no-such-folder/x.dat");
    prompter.savePaths.push_back(target);
    Send(CommandId::FileSaveAs);
    ExpectOneMessage(target + " contains an invalid path.", Icon::Exclamation);
    EXPECT_EQ(app->m_strImageFile, previous);
    EXPECT_EQ(Caption(), previous + " - TARNEL");
}

TEST_F(CtarnelDocTest, AFailedSaveAsFromStartLeavesTheUntitledCaption) {
    const QString target = PathOf("folder.dat");
    QDir(dir.path()).mkdir("folder.dat");
    prompter.savePaths.push_back(target);
    Send(CommandId::FileSaveAs);
    ExpectOneMessage(target + " is a folder, not an image file.", Icon::Exclamation);
    EXPECT_TRUE(app->m_strImageFile.isEmpty());
    EXPECT_EQ(Caption(), "Untitled - TARNEL");
}

// Dropping a file on the window opens it as File > Open does: image, title,
// current folder and the same refusal of a file that is no image. Several
// files or a remote one are not taken.
TEST_F(CtarnelDocTest, ADroppedFileIsOpenedAsFileOpenWould) {
    const auto drop = [this](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&Frame(), &enter);
        QDropEvent dropped(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                           Qt::NoModifier);
        QApplication::sendEvent(&Frame(), &dropped);
        return enter.isAccepted() && dropped.isAccepted();
    };
    const QString path = MakeFile("golden.dat", Pattern());
    EXPECT_FALSE(drop({QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)}));
    EXPECT_FALSE(drop({QUrl("https://example.org/golden.dat")}));
    EXPECT_EQ(app->m_image, EepromImage{});
    EXPECT_TRUE(drop({QUrl::fromLocalFile(path)}));
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_EQ(app->m_strImageFile, path);
    EXPECT_EQ(Caption(), path + " - TARNEL");
    EXPECT_EQ(QDir::currentPath(), dir.path());
    EXPECT_TRUE(prompter.messages.empty());
    drop({QUrl::fromLocalFile(MakeFile("short.dat", Pattern(10)))});
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(app->m_strImageFile, path);
}

}  // namespace
