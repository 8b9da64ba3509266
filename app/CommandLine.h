// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for.
struct CommandLine {
    bool unregister = false;     // -Unregister, /unregserver, ... in any letter case
    QString file;                // an image file to open at start
    QString port;                // --port NAME; empty when not given
    QString trace;               // --trace FILE.vcd; empty when not given
    std::optional<QString> log;  // --log FILE, the audit log; none when not given
    QString error;               // not empty when the arguments could not be understood
    QString output;              // --help or --version: the text to print before ending

    // Parses the arguments that follow the program name. The switches
    // Unregister and Unregserver, with a leading '-' or '/', are recognised
    // before the options, so that no option parsing splits them into letters.
    static CommandLine Parse(const QStringList& arguments);

    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};
