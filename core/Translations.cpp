// SPDX-License-Identifier: GPL-3.0-or-later
#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "LinkText.h"

namespace {
// link/'s texts go through the same translators as the rest.
std::string TranslateLinkText(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}
}  // namespace

Translations::Translations(const QLocale& locale, const QStringList& folders) {
    for (const QString& folder : folders) {
        if (m_tarnel.load(locale, QStringLiteral("tarnel"), QStringLiteral("_"), folder)) {
            m_loaded = QCoreApplication::installTranslator(&m_tarnel);
            break;
        }
    }
    // Qt's own texts follow the same language, but only where tarnel's do:
    // a window is never half in one language and half in another.
    if (m_loaded) {
        LinkText::SetTranslator(TranslateLinkText);
    }
    if (m_loaded && m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&m_qt);
    }
}

Translations::Translations()
    : Translations(UserLocale().value_or(QLocale::c()), UserLocale() ? Folders() : QStringList()) {}

Translations::~Translations() {
    if (m_loaded) {
        LinkText::SetTranslator(nullptr);
    }
    QCoreApplication::removeTranslator(&m_qt);
    QCoreApplication::removeTranslator(&m_tarnel);
}

std::optional<QLocale> Translations::UserLocale() {
    QString messages;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        messages = qEnvironmentVariable(variable);
        if (!messages.isEmpty()) {
            break;
        }
    }
    const QString language = messages.section(QLatin1Char('.'), 0, 0);
    if (language.isEmpty() || language == QLatin1String("C") ||
        language == QLatin1String("POSIX")) {
        return std::nullopt;
    }
    return QLocale::system();
}

QStringList Translations::Folders() {
    const QString program = QCoreApplication::applicationDirPath();
    return {program + QStringLiteral("/../share/tarnel/translations"),
            program + QStringLiteral("/translations")};
}
