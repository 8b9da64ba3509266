// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QDialog;

// Everything a command handler asks of the user, and every text the program
// prints, goes through this interface: the program shows real dialogs and
// writes to its standard streams, tests answer from a script.
class Prompter {
public:
    enum class Icon { Information, Exclamation, Stop };
    enum class Stream { Output, Error };

    virtual ~Prompter() = default;
    // The file dialog of File > Open (existing files only); an empty string
    // when the user cancelled.
    virtual QString GetOpenPath() = 0;
    // The file dialog of File > Save As: titled "Save As" with a "Save"
    // button, any name; an existing file is replaced only after the user
    // agreed to it. An empty string when the user cancelled.
    virtual QString GetSavePath() = 0;
    // A modal message box with an OK button.
    virtual void ShowMessage(const QString& text, const QString& caption, Icon icon) = 0;
    // Runs `dialog` modally and returns its result (QDialog::Accepted or
    // QDialog::Rejected).
    virtual int RunModal(QDialog& dialog) = 0;
    // Writes `text` as it stands to standard output or standard error.
    virtual void Print(Stream stream, const QString& text) = 0;
    // Whether standard error is a terminal, where a user reads what is printed.
    virtual bool ErrorIsTerminal() const = 0;
};
