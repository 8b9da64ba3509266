// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrompter.h"

#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <cstdio>

#include "CMainFrame.h"
#include "CtarnelApp.h"

namespace {

// The open modal dialog (the register editor, say), or else the main window.
QWidget* Owner() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return AfxGetApp() != nullptr ? AfxGetApp()->m_pMainWnd : nullptr;
}

QString DataFilesFilter() {
    return QCoreApplication::translate("QtPrompter", "Data files (*.dat)");
}

QString AllFilesFilter() {
    return QCoreApplication::translate("QtPrompter", "All files (*.*)");
}

// The result of a file dialog: its file, or empty when cancelled.
QString Run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().first();
}

}  // namespace

// Both file dialogs have the default extension "dat", the initial name
// "*.dat" and the data-file filter first, and start in the current directory.
// Open takes existing files only; Save As is a save dialog ("Save As", with a
// "Save" button) that asks before it replaces an existing file, so that a
// reference image is never overwritten by surprise. Qt's own dialog is used:
// its titles, buttons and replace question are the same on every desktop.
std::unique_ptr<QFileDialog> QtPrompter::MakeFileDialog(bool save, QWidget* owner) {
    auto dialog = std::make_unique<QFileDialog>(owner, QString(), QDir::currentPath());
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(QStringLiteral("dat"));
    const QString dataFiles = DataFilesFilter();
    const QString allFiles = AllFilesFilter();
    dialog->setNameFilters({dataFiles, allFiles});
    // "*.*" means every file, also one without a dot; the dialog would take
    // it literally, so widen its model's filter after it applied the choice.
    auto* model = dialog->findChild<QFileSystemModel*>();
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (model != nullptr && types != nullptr) {
        QObject::connect(types, &QComboBox::activated, dialog.get(),
                         [model, types, allFiles](int index) {
                             if (types->itemText(index) == allFiles) {
                                 model->setNameFilters({QStringLiteral("*")});
                             }
                         });
    }
    dialog->selectFile(QStringLiteral("*.dat"));
    return dialog;
}

QString QtPrompter::GetOpenPath() {
    return Run(*MakeFileDialog(false, Owner()));
}

QString QtPrompter::GetSavePath() {
    return Run(*MakeFileDialog(true, Owner()));
}

void QtPrompter::ShowMessage(const QString& text, const QString& caption, Icon icon) {
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    if (icon == Icon::Exclamation) {
        boxIcon = QMessageBox::Warning;
    } else if (icon == Icon::Stop) {
        boxIcon = QMessageBox::Critical;
    }
    QMessageBox box(boxIcon, caption, text, QMessageBox::Ok, Owner());
    // Messages hold file and port names, which must show as they are, never
    // read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

int QtPrompter::RunModal(QDialog& dialog) {
    return dialog.exec();
}

void QtPrompter::Print(Stream stream, const QString& text) {
    std::FILE* file = stream == Stream::Output ? stdout : stderr;
    std::fputs(text.toLocal8Bit().constData(), file);
    std::fflush(file);
}

bool QtPrompter::ErrorIsTerminal() const {
    return ::isatty(STDERR_FILENO) != 0;
}
