// SPDX-License-Identifier: GPL-3.0-or-later
#include "Translations.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <set>
#include <vector>

namespace {

struct TsMessage {
    QString context;
    QString source;
    QString translation;
    QString type;  // "unfinished", "vanished", "obsolete"; empty when done
};

std::vector<TsMessage> ReadTs(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    std::vector<TsMessage> messages;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            messages.push_back({context, {}, {}, {}});
        } else if (xml.name() == QLatin1String("source")) {
            messages.back().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            messages.back().type = xml.attributes().value(QLatin1String("type")).toString();
            messages.back().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

QStringList TsFiles() {
    return QString::fromUtf8(TARNEL_TS_FILES).split(QLatin1Char('|'));
}

// A text's markers that a translation must keep: its %N placeholders, line
// breaks, its keys after a tab, and whether it has a menu mnemonic.
struct Markers {
    std::multiset<QString> placeholders;
    qsizetype lineBreaks;
    QString keys;
    qsizetype mnemonics;
    bool operator==(const Markers&) const = default;
};

Markers MarkersOf(const QString& text) {
    Markers markers{{}, text.count(QLatin1Char('\n')), text.section(QLatin1Char('\t'), 1), 0};
    static const QRegularExpression placeholder(QStringLiteral("%\\d+"));
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text)) {
        markers.placeholders.insert(match.captured());
    }
    static const QRegularExpression mnemonic(QStringLiteral("&[^&\\s]"));
    markers.mnemonics = text.count(mnemonic);
    return markers;
}

// Every text in the sources has a finished translation in every language,
// and no translation is left of a text the sources no longer have: lupdate
// run over the sources changes nothing.
TEST(TranslationsTest, EveryTextOfTheSourcesIsTranslated) {
    for (const QString& ts : TsFiles()) {
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("copy.ts"));
        ASSERT_TRUE(QFile::copy(ts, copy));
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(TARNEL_LUPDATE),
                      QString::fromUtf8(TARNEL_TEXT_FOLDERS).split(QLatin1Char('|')) +
                          QStringList{"-locations", "none", "-ts", copy});
        ASSERT_TRUE(lupdate.waitForFinished(60000));
        ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();
        QStringList untranslated;
        for (const TsMessage& message : ReadTs(copy)) {
            if (!message.type.isEmpty() || message.translation.isEmpty()) {
                untranslated << message.context + QStringLiteral(": ") + message.source +
                                    QStringLiteral(" (") + message.type + QLatin1Char(')');
            }
        }
        EXPECT_TRUE(untranslated.isEmpty())
            << ts.toStdString() << " (cmake --build build --target update_translations):\n"
            << untranslated.join(QLatin1Char('\n')).toStdString();
    }
}

TEST(TranslationsTest, TranslationsKeepPlaceholdersLineBreaksKeysAndMnemonics) {
    for (const QString& ts : TsFiles()) {
        const std::vector<TsMessage> messages = ReadTs(ts);
        EXPECT_FALSE(messages.empty());
        for (const TsMessage& message : messages) {
            EXPECT_TRUE(MarkersOf(message.translation) == MarkersOf(message.source))
                << message.context.toStdString() << ": " << message.source.toStdString() << " -> "
                << message.translation.toStdString();
        }
    }
}

// The programs speak the user's language as gettext chooses it: LC_ALL, else
// LC_MESSAGES, else LANG, with LANGUAGE's list taking over unless that
// locale is C or POSIX; English is left exactly as it is. The window's help
// and tarnel-cli's usage error show it.
TEST(TranslationsTest, TheProgramsFollowTheUserLocaleAndStayEnglishUnderC) {
    const struct {
        QString program;
        QStringList arguments;
        QStringList english;
        QStringList german;
    } runs[] = {
        {TARNEL_GUI_PATH, {"--help"}, {"Usage: ", "The port: "}, {"Aufruf: ", "Der Port: "}},
        {TARNEL_CLI_PATH,
         {},
         {"tarnel-cli: No command given (see --help).\n"},
         {"tarnel-cli: Kein Befehl angegeben (siehe --help).\n"}},
    };
    const struct {
        QStringList environment;
        bool german;
    } cases[] = {
        {{}, false},
        {{"LANG=C", "LANGUAGE=de"}, false},
        {{"LANG=C.UTF-8", "LANGUAGE=de"}, false},
        {{"LANG=en_US.UTF-8"}, false},
        {{"LC_ALL=POSIX", "LANG=de_DE.UTF-8"}, false},
        {{"LANG=de_DE.UTF-8"}, true},
        {{"LANG=C", "LC_MESSAGES=de_DE.UTF-8"}, true},
        {{"LANG=en_US.UTF-8", "LANGUAGE=de:en"}, true},
    };
    for (const auto& run : runs) {
        QByteArray englishOutput;
        for (const auto& c : cases) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"}) {
                environment.remove(QString::fromLatin1(name));
            }
            for (const QString& setting : c.environment) {
                environment.insert(setting.section(QLatin1Char('='), 0, 0),
                                   setting.section(QLatin1Char('='), 1));
            }
            QProcess program;
            program.setProcessEnvironment(environment);
            program.start(run.program, run.arguments);
            ASSERT_TRUE(program.waitForFinished(30000));
            // Help goes to standard output, a usage error to standard error.
            const QByteArray output =
                program.readAllStandardOutput() + program.readAllStandardError();
            const std::string name = c.environment.join(QLatin1Char(' ')).toStdString();
            for (const QString& text : c.german ? run.german : run.english) {
                EXPECT_TRUE(output.contains(text.toUtf8())) << name << ":\n"
                                                            << output.toStdString();
            }
            // Every English run prints the same, byte for byte.
            if (!c.german) {
                EXPECT_EQ(output, englishOutput.isEmpty() ? output : englishOutput) << name;
                englishOutput = output;
            }
        }
    }
}

}  // namespace
