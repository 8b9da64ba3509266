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

const QString kDataFiles = QStringLiteral("Data files (*.dat)");
const QString kAllFiles = QStringLiteral("All files (*.*)");

// Both file dialogs are open-style: default extension "dat", initial name
// "*.dat", the data-file filter first, starting in the current directory.
// Qt's own dialog is used, since a desktop's native open dialog cannot create
// the new file that Save As may name.
QString RunFileDialog(QFileDialog::FileMode mode) {
    QFileDialog dialog(Owner(), QString(), QDir::currentPath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(mode);
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    dialog.setNameFilters({kDataFiles, kAllFiles});
    // "*.*" means every file, also one without a dot; the dialog would take
    // it literally, so widen its model's filter after it applied the choice.
    auto* model = dialog.findChild<QFileSystemModel*>();
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (model != nullptr && types != nullptr) {
        QObject::connect(types, &QComboBox::activated, &dialog, [model, types](int index) {
            if (types->itemText(index) == kAllFiles) {
                model->setNameFilters({QStringLiteral("*")});
            }
        });
    }
    dialog.selectFile(QStringLiteral("*.dat"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().first();
}

}  // namespace

QString QtPrompter::GetOpenPath() {
    return RunFileDialog(QFileDialog::ExistingFile);
}

QString QtPrompter::GetSavePath() {
    return RunFileDialog(QFileDialog::AnyFile);
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
