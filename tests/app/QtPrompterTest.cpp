// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrompter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

QPushButton* AcceptButton(QFileDialog& dialog) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    if (buttons == nullptr) {
        return nullptr;
    }
    for (QAbstractButton* button : buttons->buttons()) {
        if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) {
            return qobject_cast<QPushButton*>(button);
        }
    }
    return nullptr;
}

QString AcceptButtonText(QFileDialog& dialog) {
    QPushButton* button = AcceptButton(dialog);
    return button != nullptr ? button->text() : QString();
}

TEST(QtPrompterTest, OpenAndSaveAsDialogsHaveTheirOwnTitlesAndButtons) {
    const auto open = QtPrompter::MakeFileDialog(false, nullptr);
    EXPECT_EQ(open->windowTitle(), "Open");
    EXPECT_EQ(AcceptButtonText(*open), "&Open");
    EXPECT_EQ(open->fileMode(), QFileDialog::ExistingFile);
    const auto save = QtPrompter::MakeFileDialog(true, nullptr);
    EXPECT_EQ(save->windowTitle(), "Save As");
    EXPECT_EQ(AcceptButtonText(*save), "&Save");
    EXPECT_EQ(save->defaultSuffix(), "dat");
    EXPECT_EQ(save->nameFilters(), QStringList({"Data files (*.dat)", "All files (*.*)"}));
}

// Save As offered an existing file asks first: No (the default) keeps the
// dialog open and the file untouched, Yes confirms it. A new name asks nothing.
TEST(QtPrompterTest, SaveAsAsksBeforeItReplacesAFile) {
    QTemporaryDir dir;
    QFile golden(dir.filePath("golden.dat"));
    ASSERT_TRUE(golden.open(QIODevice::WriteOnly));
    golden.close();
    struct Case {
        QString typed;
        QMessageBox::StandardButton answer;  // NoButton: no question expected
        bool accepted;
    };
    const Case cases[] = {
        {"golden", QMessageBox::No, false},
        {"golden.dat", QMessageBox::Yes, true},
        {"fresh", QMessageBox::NoButton, true},
    };
    for (const Case& c : cases) {
        const auto dialog = QtPrompter::MakeFileDialog(true, nullptr);
        dialog->setDirectory(dir.path());
        dialog->selectFile(c.typed);
        dialog->show();
        QString question;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                question = box->text();
                defaultButton = box->standardButton(box->defaultButton());
                box->button(c.answer)->click();
            }
        });
        ASSERT_NE(AcceptButton(*dialog), nullptr);
        AcceptButton(*dialog)->click();
        QApplication::processEvents();
        if (c.answer == QMessageBox::NoButton) {
            EXPECT_TRUE(question.isEmpty()) << c.typed.toStdString();
        } else {
            EXPECT_EQ(question, "golden.dat already exists.\nDo you want to replace it?");
            EXPECT_EQ(defaultButton, QMessageBox::No);
        }
        EXPECT_EQ(dialog->result() == QDialog::Accepted, c.accepted) << c.typed.toStdString();
        EXPECT_EQ(dialog->isVisible(), !c.accepted) << c.typed.toStdString();
    }
}

}  // namespace
