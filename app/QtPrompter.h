// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>
#include <memory>

#include "Prompter.h"

// The prompter of the running program: real file dialogs and message boxes,
// owned by the main window, and the process's standard streams.
class QtPrompter : public Prompter {
public:
    // The file dialog GetOpenPath (`save` false) or GetSavePath (`save`
    // true) runs, owned by `owner`, ready to run.
    static std::unique_ptr<QFileDialog> MakeFileDialog(bool save, QWidget* owner);
    QString GetOpenPath() override;
    QString GetSavePath() override;
    void ShowMessage(const QString& text, const QString& caption, Icon icon) override;
    int RunModal(QDialog& dialog) override;
    void Print(Stream stream, const QString& text) override;
    bool ErrorIsTerminal() const override;
};
