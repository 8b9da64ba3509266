// SPDX-License-Identifier: GPL-3.0-or-later
#include "CVerifyReportDlg.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "AppFixture.h"

namespace {

class CVerifyReportDlgTest : public AppFixture {
protected:
    // The dialog as it paints itself, offscreen.
    QImage Render() {
        CVerifyReportDlg dialog;
        return dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static int Ink(const QImage& image, const QRect& rect) {
        int ink = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                ink += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
            }
        }
        return ink;
    }
};

TEST_F(CVerifyReportDlgTest, TemplateSizeHeadingsSeparatorsAndOk) {
    CVerifyReportDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Tarnel Verify");
    EXPECT_EQ(dialog.size(), QSize(638, 426));  // 425 x 262 dialog units at 96 dpi
    QStringList headings;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        headings << QStringLiteral("%1@%2,%3").arg(label->text()).arg(label->x()).arg(label->y());
    }
    EXPECT_EQ(headings.size(), 9);
    EXPECT_TRUE(headings.contains("EEPROM Addresss@23,23")) << headings.join(' ').toStdString();
    EXPECT_TRUE(headings.contains("Read Data@552,23")) << headings.join(' ').toStdString();
    EXPECT_EQ(dialog.findChildren<QGroupBox*>().size(), 2);
    auto* ok = dialog.findChild<QPushButton*>();
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->geometry(), QRect(281, 380, 75, 23));
}

TEST_F(CVerifyReportDlgTest, UnderADarkPaletteTheReportIsDrawnInItsTextColour) {
    CVerifyReportDlg dialog;
    QPalette dark = dialog.palette();
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, QColor(240, 240, 240));
    dialog.setPalette(dark);
    const QImage image = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int light = 0;
    for (int y = 100; y < 116; ++y) {
        for (int x = 80; x < 120; ++x) {
            light += qGray(image.pixel(x, y)) > 200 ? 1 : 0;
        }
    }
    EXPECT_GT(light, 0);  // "PASS!" in light ink on the dark window colour
    EXPECT_EQ(qGray(image.pixel(75, 100)), 30);
}

TEST_F(CVerifyReportDlgTest, TheReportFontHasACellOf16Pixels) {
    const QFont font = CVerifyReportDlg::ReportFont();
    EXPECT_LE(QFontMetrics(font).height(), 16);
    EXPECT_GE(QFontMetrics(font).height(), 12);
}

TEST_F(CVerifyReportDlgTest, EqualBuffersDrawPassAndNoList) {
    const QImage image = Render();
    for (int x : {80, 285, 490}) {
        EXPECT_GT(Ink(image, QRect(x, 100, 40, 16)), 0) << x;
    }
    EXPECT_EQ(Ink(image, QRect(40, 55, 20, 15)), 0);
}

TEST_F(CVerifyReportDlgTest, ADifferenceDrawsItsLineAndNoPass) {
    app->m_readBack[5] = 0xEE;  // the image holds 0x00
    const QImage image = Render();
    EXPECT_GT(Ink(image, QRect(40, 55, 20, 15)), 0);
    EXPECT_GT(Ink(image, QRect(105, 55, 20, 15)), 0);
    EXPECT_GT(Ink(image, QRect(165, 55, 20, 15)), 0);
    EXPECT_EQ(Ink(image, QRect(80, 100, 40, 16)), 0);
    EXPECT_EQ(Ink(image, QRect(40, 355, 300, 16)), 0);
}

TEST_F(CVerifyReportDlgTest, TheCountLineEndsBeforeTheFirstSeparator) {
    CVerifyReportDlg dialog;
    const int separatorLeft = dialog.findChildren<QGroupBox*>().first()->x();
    const int width = QFontMetrics(CVerifyReportDlg::ReportFont())
                          .horizontalAdvance(QStringLiteral("128 differ, 60 listed"));
    EXPECT_LT(40 + width, separatorLeft);
}

TEST_F(CVerifyReportDlgTest, TheCountLineEndsAboveTheOkButton) {
    app->m_readBack.fill(0xFF);
    const QImage image = Render();
    EXPECT_GT(Ink(image, QRect(40, 355, 150, 16)), 0);
    EXPECT_GT(Ink(image, QRect(450, 340, 20, 15)), 0);  // line 60 in block 2
    // Every paint compares again: equal buffers now draw PASS! in place of the list.
    app->m_readBack = app->m_image;
    EXPECT_EQ(Ink(Render(), QRect(40, 355, 300, 16)), 0);
}

}  // namespace
