// SPDX-License-Identifier: GPL-3.0-or-later
#include "CRegisterEditDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QWindow>

#include "AppFixture.h"
#include "CommandIds.h"
#include "DialogPage.h"

namespace {

using Icon = Prompter::Icon;

class CRegisterEditDlgTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        app->m_image = ImageOf(Pattern());
        app->m_readBack = ImageOf(Pattern(128, 50));
        prompter.openPaths.push_back(MakeFile("a.dat", Pattern()));
        Send(CommandId::FileOpen);
    }

    // Runs Modify with `edit` applied to the dialog; returns the dialog's result.
    int Modify(const std::function<int(CRegisterEditDlg&)>& edit) {
        int result = -1;
        prompter.dialogScripts.push_back([&](QDialog& dialog) {
            result = edit(static_cast<CRegisterEditDlg&>(dialog));
            return result;
        });
        Send(CommandId::ToolsModify);
        return result;
    }
    static int PressOk(CRegisterEditDlg& dialog) {
        dialog.OnOK();
        return dialog.result();
    }
    QStringList MessageTexts() const {
        QStringList texts;
        for (const auto& m : prompter.messages) {
            texts << m.text;
            EXPECT_EQ(m.caption, "TARNEL");
            EXPECT_EQ(m.icon, Icon::Stop);
        }
        return texts;
    }
};

TEST_F(CRegisterEditDlgTest, OkWithoutEditsStoresTheSameValuesAndRepaints) {
    const int paints = View().PaintCount();
    EXPECT_EQ(Modify(PressOk), QDialog::Accepted);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_GT(View().PaintCount(), paints);
    EXPECT_EQ(Caption(), PathOf("a.dat") + " - TARNEL");
    EXPECT_EQ(app->m_strImageFile, PathOf("a.dat"));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CRegisterEditDlgTest, FieldsStartWithTheImageInTwoUpperCaseDigits) {
    app->m_image[10] = 0x0A;
    app->m_image[127] = 0xFF;
    Modify([](CRegisterEditDlg& dialog) {
        EXPECT_EQ(dialog.Field(10)->text(), "0A");
        EXPECT_EQ(dialog.Field(127)->text(), "FF");
        EXPECT_EQ(dialog.Control(1000 + 10), dialog.Field(10));
        EXPECT_EQ(dialog.Control(1127)->objectName(), "1127");
        EXPECT_EQ(dialog.Control(1128), nullptr);
        return QDialog::Rejected;
    });
}

TEST_F(CRegisterEditDlgTest, ASingleLetterIsStoredAndShownAgainAsTwoDigits) {
    EXPECT_EQ(Modify([](CRegisterEditDlg& dialog) {
                  dialog.Field(4)->setText("a");
                  return PressOk(dialog);
              }),
              QDialog::Accepted);
    EXPECT_EQ(app->m_image[4], 0x0A);
    Modify([](CRegisterEditDlg& dialog) {
        EXPECT_EQ(dialog.Field(4)->text(), "0A");
        return QDialog::Rejected;
    });
}

TEST_F(CRegisterEditDlgTest, InvalidFieldsAreReportedInOrderAndNothingIsStored) {
    const int result = Modify([](CRegisterEditDlg& dialog) {
        dialog.Field(0)->setText("7F");  // valid, but must not be stored
        dialog.Field(9)->setText("1G");
        dialog.Field(5)->setText("G1");
        dialog.Field(100)->setText(" 5");
        dialog.Field(127)->setText("");
        const int afterOk = PressOk(dialog);
        EXPECT_EQ(dialog.focusWidget(), dialog.Field(5));
        return afterOk;
    });
    EXPECT_NE(result, QDialog::Accepted);
    EXPECT_EQ(MessageTexts(),
              (QStringList{"Invalid value for register   5.", "Invalid value for register   9.",
                           "Invalid value for register 100.", "Invalid value for register 127."}));
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
}

TEST_F(CRegisterEditDlgTest, EscAfterAFailedOkLeavesTheImageAsBefore) {
    const int paints = View().PaintCount();
    const int result = Modify([](CRegisterEditDlg& dialog) {
        dialog.Field(1)->setText("");
        dialog.Field(2)->setText("EE");
        PressOk(dialog);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return dialog.result();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
    EXPECT_EQ(View().PaintCount(), paints);
}

TEST_F(CRegisterEditDlgTest, TheCloseBoxCancels) {
    const int result = Modify([](CRegisterEditDlg& dialog) {
        dialog.Field(2)->setText("EE");
        dialog.show();
        dialog.close();
        return dialog.result();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(app->m_image, ImageOf(Pattern()));
}

TEST_F(CRegisterEditDlgTest, CorrectingTheFieldsLetsOkStoreAll) {
    Modify([](CRegisterEditDlg& dialog) {
        dialog.Field(3)->setText("zz");
        dialog.Field(4)->setText("44");
        EXPECT_NE(PressOk(dialog), QDialog::Accepted);
        dialog.Field(3)->setText("33");
        return PressOk(dialog);
    });
    EXPECT_EQ(app->m_image[3], 0x33);
    EXPECT_EQ(app->m_image[4], 0x44);
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(CRegisterEditDlgTest, Register127ChangesOnlyItselfAndNeverTheReadBackBuffer) {
    Modify([](CRegisterEditDlg& dialog) {
        dialog.Field(127)->setText("5a");
        return PressOk(dialog);
    });
    EepromImage expected = ImageOf(Pattern());
    expected[127] = 0x5A;
    EXPECT_EQ(app->m_image, expected);
    EXPECT_EQ(app->m_readBack, ImageOf(Pattern(128, 50)));
}

TEST_F(CRegisterEditDlgTest, AThirdCharacterCanBeNeitherTypedNorPasted) {
    Modify([](CRegisterEditDlg& dialog) {
        QLineEdit* field = dialog.Field(7);
        field->clear();
        QTest::keyClicks(field, "ABC");
        EXPECT_EQ(field->text(), "AB");
        field->clear();
        QApplication::clipboard()->setText("123");
        field->paste();
        EXPECT_EQ(field->text(), "12");
        return QDialog::Rejected;
    });
}

TEST_F(CRegisterEditDlgTest, LayoutFollowsTheTemplate) {
    Modify([](CRegisterEditDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "TARNEL");
        EXPECT_EQ(dialog.size(), QSize(570, 554));  // 380 x 341 dialog units at 96 dpi
        const auto buttons = dialog.findChildren<QPushButton*>();
        EXPECT_EQ(buttons.size(), 1);  // OK and no Cancel
        EXPECT_EQ(buttons[0]->text(), "OK");
        EXPECT_EQ(buttons[0]->geometry(), QRect(279, 510, 75, 23));
        EXPECT_EQ(dialog.focusWidget(), buttons[0]);
        // Register 0 at (67, 27) and register 127 at (262, 27 + 22 * 12) in units.
        EXPECT_EQ(dialog.Field(0)->geometry(), QRect(101, 44, 20, 23));
        EXPECT_EQ(dialog.Field(127)->geometry().topLeft(), QPoint(393, 473));
        EXPECT_EQ(dialog.findChildren<QGroupBox*>().size(), 13);
        EXPECT_EQ(dialog.findChildren<QLabel*>().size(), 23);
        // Tab order: OK, then the fields in register order.
        EXPECT_EQ(buttons[0]->nextInFocusChain(), dialog.Field(0));
        EXPECT_EQ(dialog.Field(9)->nextInFocusChain(), dialog.Field(10));
        return QDialog::Rejected;
    });
}

// The editor keeps its size where the screen holds it; on a smaller one (a
// 1280 x 1024 screen at scale factor 2 offers 640 x 512) it moves into the
// available area and shrinks, and its page scrolls to every field and to OK.
TEST_F(CRegisterEditDlgTest, TheEditorFitsTheAvailableAreaAndScrollsWhereItMust) {
    CRegisterEditDlg probe;
    probe.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&probe));
    const QMargins m = probe.windowHandle()->frameMargins();
    const int mx = m.left() + m.right();
    const int my = m.top() + m.bottom();
    const auto* page = probe.findChild<DialogPage*>();
    ASSERT_NE(page, nullptr);
    const int bar = page->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, page);
    const struct {
        QRect available;
        QPoint outerTopLeft;
        QSize client;
        bool scrollsAcross;
        bool scrollsDown;
    } cases[] = {
        {QRect(0, 0, 1280, 1024), QPoint(100, 100), QSize(570, 554), false, false},
        {QRect(0, 0, 640, 512), QPoint(640 - 570 - bar - mx, 0), QSize(570 + bar, 512 - my), false,
         true},
        {QRect(0, 30, 640, 482), QPoint(640 - 570 - bar - mx, 30), QSize(570 + bar, 482 - my),
         false, true},
        {QRect(0, 0, 400, 300), QPoint(0, 0), QSize(400 - mx, 300 - my), true, true},
    };
    for (const auto& c : cases) {
        CRegisterEditDlg dialog;
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));  // its frame is known
        dialog.move(100, 100);
        auto* scroll = dialog.findChild<DialogPage*>();
        scroll->FitInto(c.available);
        QApplication::processEvents();
        EXPECT_EQ(dialog.frameGeometry().topLeft(), c.outerTopLeft) << c.available.height();
        EXPECT_EQ(dialog.size(), c.client) << c.available.height();
        EXPECT_EQ(scroll->horizontalScrollBar()->maximum() > 0, c.scrollsAcross)
            << c.available.height();
        EXPECT_EQ(scroll->verticalScrollBar()->maximum() > 0, c.scrollsDown)
            << c.available.height();
        scroll->ensureWidgetVisible(dialog.findChild<QPushButton*>());
        const QPoint ok = dialog.findChild<QPushButton*>()->mapTo(&dialog, QPoint(0, 0));
        EXPECT_TRUE(dialog.rect().contains(ok)) << c.available.height();
    }
}

}  // namespace
