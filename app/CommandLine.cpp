// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <QCommandLineParser>

#include "DashedName.h"
#include "ImageFile.h"
#include "PortKinds.h"

namespace {
bool IsUnregisterSwitch(const QString& argument) {
    if (argument.size() < 2 || (argument[0] != '-' && argument[0] != '/')) {
        return false;
    }
    const QString name = argument.mid(1).toLower();
    return name == QLatin1String("unregister") || name == QLatin1String("unregserver");
}
}  // namespace

CommandLine CommandLine::Parse(const QStringList& arguments) {
    CommandLine result;
    for (const QString& argument : arguments) {
        if (IsUnregisterSwitch(argument)) {
            result.unregister = true;
            return result;
        }
    }

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        tr("Reads, edits, writes back and verifies the configuration EEPROM of a network switch.\n"
           "-Unregister (or /Unregister, -Unregserver) removes the per-user settings and ends."));
    // Qt's own help and version options would end the process from inside
    // the parser; these are answered by the caller instead.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  tr("Displays help on commandline options."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     tr("Displays version information."));
    const QCommandLineOption port(
        QStringLiteral("port"),
        tr("The port: %1 (see tarnel(1); default: $TARNEL_PORT, else /dev/parport0).")
            .arg(QString::fromStdString(PortKinds::Described())),
        tr("NAME"));
    const QCommandLineOption trace(
        QStringLiteral("trace"),
        tr("Records the bus traffic of every device command in FILE (VCD)."), tr("FILE"));
    const QCommandLineOption log(QStringLiteral("log"),
                                 tr("Appends a JSON record of every device command to FILE, the "
                                    "audit log (default: $TARNEL_LOG)."),
                                 tr("FILE"));
    parser.addOptions({help, version, port, trace, log});
    parser.addPositionalArgument(tr("file"), tr("An image file (*.dat) to open at start."),
                                 tr("[file]"));
    const QStringList all = QStringList{QStringLiteral("tarnel")} + arguments;
    if (!parser.parse(all)) {
        const QString hint = DashedName::Hint(parser, all);
        result.error = hint.isEmpty() ? parser.errorText() : hint;
        return result;
    }
    if (parser.isSet(version)) {
        result.output = QStringLiteral("tarnel " TARNEL_VERSION "\n");
        return result;
    }
    if (parser.isSet(help)) {
        result.output = parser.helpText();
        return result;
    }
    result.port = parser.value(port);
    result.trace = parser.value(trace);
    if (parser.isSet(log)) {
        result.log = parser.value(log);
    }
    // Files and simulated ports are named by these; a name that would reach
    // the system changed is refused, as an image file's is.
    for (const QString& name : {result.port, result.trace, result.log.value_or(QString())}) {
        if (const QString problem = ImageFile::NameProblem(name); !problem.isEmpty()) {
            result.error = problem;
            return result;
        }
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        result.error = tr("Only one image file can be opened at a time.");
        return result;
    }
    if (!files.isEmpty()) {
        result.file = files.first();
    }
    return result;
}
