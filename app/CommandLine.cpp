#include "CommandLine.h"

#include <QCommandLineParser>

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
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption trace(QStringLiteral("trace"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption log(QStringLiteral("log"), QString(), QStringLiteral("FILE"));
    parser.addOption(port);
    parser.addOption(trace);
    parser.addOption(log);
    parser.addPositionalArgument(QStringLiteral("file"), QString());
    if (!parser.parse(QStringList{QStringLiteral("tarnel")} + arguments)) {
        result.error = parser.errorText();
        return result;
    }
    result.port = parser.value(port);
    result.trace = parser.value(trace);
    if (parser.isSet(log)) {
        result.log = parser.value(log);
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        result.error = QStringLiteral("Only one image file can be opened at a time.");
        return result;
    }
    if (!files.isEmpty()) {
        result.file = files.first();
    }
    return result;
}
