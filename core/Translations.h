// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <optional>

// The program's texts in the user's language: tarnel's own translation and
// Qt's (standard buttons, file dialogs, command-line parser), installed into
// the running application for as long as the object lives, and link/'s
// texts (LinkText) translated through them.
class Translations {
public:
    // Loads and installs tarnel's and Qt's translations for `locale`, tarnel's
    // from the first of `folders` that has one; a language without a
    // translation leaves the English texts.
    Translations(const QLocale& locale, const QStringList& folders);
    // Loads the user's language (UserLocale) from the installed folders
    // (Folders); English when the user's messages locale is C or POSIX.
    Translations();
    // Removes the translations from the application.
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // Whether tarnel's own translation was found and installed.
    bool Loaded() const { return m_loaded; }

    // The user's language as gettext chooses it: none when the first set of
    // LC_ALL, LC_MESSAGES and LANG is unset, "C" or "POSIX" (LANGUAGE is then
    // ignored); otherwise the system locale, whose languages include LANGUAGE's.
    static std::optional<QLocale> UserLocale();
    // Where tarnel's translations are looked for: share/tarnel/translations
    // beside the program's bin folder (installed), then translations/ beside
    // the program (the build tree).
    static QStringList Folders();

private:
    QTranslator m_tarnel;
    QTranslator m_qt;
    bool m_loaded = false;
};
