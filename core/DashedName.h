// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;

// File names that begin with "-" and so read as options on a command line.
class DashedName {
public:
    // After `parser` failed on unknown options: when one of `arguments` (the
    // program name first) before any "--" begins with "-" and holds a "." or
    // a "/", as a file name does and no option does, a message that says it
    // looks like options and that "--" before it helps; otherwise empty.
    static QString Hint(const QCommandLineParser& parser, const QStringList& arguments);
};
