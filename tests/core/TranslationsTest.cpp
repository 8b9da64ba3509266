// SPDX-License-Identifier: GPL-3.0-or-later
#include "Translations.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <set>
#include <tuple>
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
                      QString::fromUtf8(TARNEL_LUPDATE_OPTIONS).split(QLatin1Char('|')) +
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

// link/'s texts (plain C++) follow the user's language too, their arguments
// filled in after translation; what --json gives machines (the fields, the
// result, the exit status) stays as it is, its message in the user's
// language as the other messages are.
TEST(TranslationsTest, LinkTextsFollowTheUserLocaleAndStayEnglishUnderC) {
    const auto run = [](const QString& lang, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE", "TARNEL_PORT"}) {
            environment.remove(QString::fromLatin1(name));
        }
        environment.insert(QStringLiteral("LANG"), lang);
        environment.insert(QStringLiteral("TARNEL_SIM_FAULT"), QStringLiteral("absent"));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TARNEL_CLI_PATH), arguments);
        EXPECT_TRUE(program.waitForFinished(30000));
        const QByteArray error = program.readAllStandardError();
        return std::make_tuple(program.exitCode(), QString::fromUtf8(error),
                               program.readAllStandardOutput());
    };
    const QStringList dump{"--port", "sim", "dump"};
    EXPECT_EQ(run("C", dump),
              std::make_tuple(
                  3,
                  QStringLiteral("tarnel-cli: Reading the EEPROM failed at register 0: the "
                                 "EEPROM did not acknowledge its address 0xA0 within 25 ms; "
                                 "check that the adapter is plugged in, the cable is connected "
                                 "and the switch is powered.\n"),
                  QByteArray()));
    EXPECT_EQ(
        run("de_DE.UTF-8", dump),
        std::make_tuple(3,
                        QStringLiteral("tarnel-cli: Das Lesen des EEPROMs ist bei Register 0 "
                                       "fehlgeschlagen: das EEPROM hat seine Adresse 0xA0 nicht "
                                       "innerhalb von 25 ms quittiert; prüfen Sie, ob der Adapter "
                                       "eingesteckt, das Kabel angeschlossen und der Switch "
                                       "eingeschaltet ist.\n"),
                        QByteArray()));

    const auto [exit, error, json] = run("de_DE.UTF-8", {"--port", "i2c:sim", "--json", "probe"});
    EXPECT_EQ(exit, 3);
    EXPECT_TRUE(error.startsWith("tarnel-cli: EEPROM quittiert das Lesen")) << error.toStdString();
    const QJsonObject record = QJsonDocument::fromJson(json).object();
    EXPECT_EQ(record["result"], "failed");
    EXPECT_EQ(record["operation"], "probe");
    const QJsonArray steps = record["steps"].toArray();
    ASSERT_EQ(steps.size(), 4);
    EXPECT_EQ(steps[0].toObject()["check"], "der Port lässt sich öffnen");
    EXPECT_EQ(steps[3].toObject()["passed"], false);
    EXPECT_TRUE(record["message"].toString().startsWith(
        "EEPROM quittiert das Lesen eines Bytes an 0x50: FEHLGESCHLAGEN: das EEPROM hat seine "
        "Adresse 0x50 nicht innerhalb von 25 ms am Adapter i2c:sim"))
        << json.toStdString();

    // A usage error built of the port kinds' texts, in either language.
    EXPECT_TRUE(std::get<1>(run("C", {"--port", "lpt1", "dump"}))
                    .startsWith("tarnel-cli: Unknown port \"lpt1\". Use /dev/parportN "
                                "(the kernel's ppdev driver, default /dev/parport0), "
                                "io:0x378 (direct port I/O"));
    EXPECT_TRUE(std::get<1>(run("de_DE.UTF-8", {"--port", "lpt1", "dump"}))
                    .startsWith("tarnel-cli: Unbekannter Port \"lpt1\". Verwenden Sie "
                                "/dev/parportN (der Treiber ppdev des Kernels, Vorgabe "
                                "/dev/parport0), io:0x378 (direkte Port-E/A"));
}

}  // namespace
