// SPDX-License-Identifier: GPL-3.0-or-later
#include "DashedName.h"

#include <QCommandLineParser>
#include <QCoreApplication>

QString DashedName::Hint(const QCommandLineParser& parser, const QStringList& arguments) {
    if (parser.unknownOptionNames().isEmpty()) {
        return {};
    }
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--")) {
            break;
        }
        if (!argument.startsWith('-') || argument.size() < 2) {
            continue;
        }
        // A long option's value may hold either; its name never does.
        const QString name = argument.startsWith(QLatin1String("--"))
                                 ? argument.mid(2).section('=', 0, 0)
                                 : argument;
        if (name.contains('.') || name.contains('/')) {
            return QCoreApplication::translate("DashedName",
                                               "%1 looks like options; to name a file that "
                                               "begins with \"-\", put -- before it: -- %1")
                .arg(argument);
        }
    }
    return {};
}
