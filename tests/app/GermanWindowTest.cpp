// SPDX-License-Identifier: GPL-3.0-or-later
// The window under a German locale: menus, captions, messages and Qt's own
// dialogs in German, the keys unchanged.
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "AppFixture.h"
#include "CRegisterEditDlg.h"
#include "CommandIds.h"
#include "QtPrompter.h"
#include "Translations.h"

namespace {

class GermanWindowTest : public AppFixture {
protected:
    const Translations german{QLocale(QLocale::German, QLocale::Germany),
                              {QStringLiteral(TARNEL_QM_DIR)}};

    // A menu's item texts (empty for a separator) and their shortcuts.
    static QStringList Items(const QMenu& menu) {
        QStringList items;
        for (const QAction* action : menu.actions()) {
            items << action->text() + QLatin1Char('|') +
                         action->shortcut().toString(QKeySequence::PortableText);
        }
        return items;
    }

    // The mnemonic letters of `texts`, which must differ from each other.
    static void ExpectUniqueMnemonics(const QStringList& texts) {
        QStringList letters;
        for (const QString& text : texts) {
            if (const qsizetype at = text.indexOf(QLatin1Char('&')); at >= 0) {
                letters << text.mid(at + 1, 1).toLower();
            }
        }
        EXPECT_EQ(letters.size(), QSet<QString>(letters.begin(), letters.end()).size())
            << texts.join(QLatin1Char(' ')).toStdString();
    }
};

TEST_F(GermanWindowTest, MenusCaptionAndMessagesAreGermanAndTheKeysStay) {
    ASSERT_TRUE(german.Loaded());
    EXPECT_EQ(Caption(), "Unbenannt - TARNEL");
    QStringList titles;
    std::vector<QStringList> menus;
    for (const QAction* action : Frame().menuBar()->actions()) {
        titles << action->text();
        menus.push_back(Items(*action->menu()));
    }
    EXPECT_EQ(titles, QStringList({"&Datei", "&Extras", "&Hilfe"}));
    ExpectUniqueMnemonics(titles);
    ASSERT_EQ(menus.size(), 3u);
    EXPECT_EQ(menus[0], QStringList({"&Neu|Ctrl+N", "Ö&ffnen...|Ctrl+O", "&Speichern|Ctrl+S",
                                     "Speichern &unter...|", "|", "&Beenden|"}));
    EXPECT_EQ(menus[1], QStringList({"Prüfen|", "Auslesen|", "Schreiben|", "Bearbeiten|"}));
    EXPECT_EQ(menus[2], QStringList({"Ü&ber tarnel...|"}));
    for (const QStringList& menu : menus) {
        ExpectUniqueMnemonics(menu);
    }

    prompter.dialogScripts.push_back([](QDialog& dialog) {
        static_cast<CRegisterEditDlg&>(dialog).Field(9)->setText("1G");
        static_cast<CRegisterEditDlg&>(dialog).OnOK();
        return dialog.result();
    });
    Send(CommandId::ToolsModify);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Ungültiger Wert für Register   9.");
    EXPECT_EQ(prompter.messages[0].caption, "TARNEL");
}

// The texts both programs share about the device are German too.
TEST_F(GermanWindowTest, DeviceMessagesAreGerman) {
    ASSERT_TRUE(Start({"--port", "sim"}));
    Send(CommandId::ToolsDownload);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "Das Schreiben ist abgeschlossen. Bitte setzen Sie den Switch zurück, damit die "
              "neuen Einstellungen wirksam werden.");

    // What the link says about the device (plain C++, translated through
    // the same translation), its values filled in.
    qputenv("TARNEL_SIM_FAULT", "nak-data");
    ASSERT_TRUE(Start({"--port", "sim"}));
    qunsetenv("TARNEL_SIM_FAULT");
    prompter.messages.clear();
    Send(CommandId::ToolsDownload);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains(
        "Das Schreiben des EEPROMs ist bei Register 0 fehlgeschlagen: das EEPROM hat das "
        "Datenbyte 00 nicht quittiert. Auf den Switch wurde nichts geschrieben."))
        << prompter.messages[0].text.toStdString();
}

// Qt's own dialogs follow: the Save As dialog is Qt's, in German.
TEST_F(GermanWindowTest, QtsOwnDialogsAreGermanToo) {
    const auto save = QtPrompter::MakeFileDialog(true, nullptr);
    EXPECT_EQ(save->windowTitle(), "Speichern unter");
    EXPECT_EQ(save->nameFilters(), QStringList({"Datendateien (*.dat)", "Alle Dateien (*.*)"}));
}

}  // namespace
