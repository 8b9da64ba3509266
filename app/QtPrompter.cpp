#include "QtPrompter.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "CMainFrame.h"
#include "CtarnelApp.h"

namespace {

QWidget* Owner() {
    return AfxGetApp() != nullptr ? AfxGetApp()->m_pMainWnd : nullptr;
}

// Both file dialogs are open-style: default extension "dat", initial name
// "*.dat", the data-file filter first.
QString RunFileDialog(QFileDialog::FileMode mode) {
    QFileDialog dialog(Owner());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(mode);
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    dialog.setNameFilters(
        {QStringLiteral("Data files (*.dat)"), QStringLiteral("All files (*.*)")});
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
    box.exec();
}

int QtPrompter::RunModal(QDialog& dialog) {
    return dialog.exec();
}
