#pragma once

#include <QString>

class QDialog;

// Everything a command handler asks of the user goes through this interface:
// the program shows real dialogs, tests answer from a script.
class Prompter {
public:
    enum class Icon { Information, Exclamation, Stop };

    virtual ~Prompter() = default;
    // The file dialog of File > Open (existing files only); an empty string
    // when the user cancelled.
    virtual QString GetOpenPath() = 0;
    // The file dialog of File > Save As: open-style, any name, no overwrite
    // prompt; an empty string when the user cancelled.
    virtual QString GetSavePath() = 0;
    // A modal message box with an OK button.
    virtual void ShowMessage(const QString& text, const QString& caption, Icon icon) = 0;
    // Runs `dialog` modally and returns its result (QDialog::Accepted or
    // QDialog::Rejected).
    virtual int RunModal(QDialog& dialog) = 0;
};
