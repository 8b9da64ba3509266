// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "Prompter.h"

// A prompter that answers from queues and records every message: file dialogs
// return the queued paths (empty, that is cancelled, when none is left), and
// modal dialogs run a queued script instead of waiting on exec(); printed
// texts are kept per stream.
class ScriptedPrompter : public Prompter {
public:
    struct Message {
        QString text;
        QString caption;
        Icon icon;
    };
    using DialogScript = std::function<int(QDialog&)>;

    std::deque<QString> openPaths;
    std::deque<QString> savePaths;
    std::deque<DialogScript> dialogScripts;
    std::vector<Message> messages;
    std::vector<QString> dialogsRun;  // class names, in order
    QString output;                   // all printed on standard output
    QString errors;                   // all printed on standard error
    bool errorIsTerminal = false;
    // Called whenever a message is shown, for tests that look at the state
    // while the message box would be open.
    std::function<void(const Message&)> onMessage;

    QString GetOpenPath() override { return Next(openPaths); }
    QString GetSavePath() override { return Next(savePaths); }
    void ShowMessage(const QString& text, const QString& caption, Icon icon) override {
        messages.push_back({text, caption, icon});
        if (onMessage) {
            onMessage(messages.back());
        }
    }
    int RunModal(QDialog& dialog) override {
        dialogsRun.push_back(QString::fromLatin1(dialog.metaObject()->className()));
        if (dialogScripts.empty()) {
            return QDialog::Rejected;
        }
        DialogScript script = std::move(dialogScripts.front());
        dialogScripts.pop_front();
        return script(dialog);
    }

    void Print(Stream stream, const QString& text) override {
        (stream == Stream::Output ? output : errors) += text;
    }
    bool ErrorIsTerminal() const override { return errorIsTerminal; }

private:
    static QString Next(std::deque<QString>& queue) {
        if (queue.empty()) {
            return QString();
        }
        QString value = queue.front();
        queue.pop_front();
        return value;
    }
};
