// SPDX-License-Identifier: GPL-3.0-or-later
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include "AppFixture.h"
#include "CommandIds.h"

namespace {

class CtarnelViewTest : public AppFixture {
protected:
    // Renders the grid as the view paints it, at 96 dpi, onto white.
    QImage Render() {
        QImage image(View().Metrics().TotalWidth(), View().Metrics().TotalHeight(),
                     QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        View().OnDraw(painter, GridRect{0, 0, image.width(), image.height()});
        return image;
    }
    // Pixels in `rect` that are neither white nor the grid's grey.
    static int InkIn(const QImage& image, const QRect& rect) {
        int ink = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (qGray(p) < 128) {
                    ++ink;
                }
            }
        }
        return ink;
    }
    static QRect Cell(int row, int column) {
        const GridRect r = GetCellRect(GridMetrics::FromDpi(96, 96), row, column);
        return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
};

TEST_F(CtarnelViewTest, MetricsAndScrollStepsAt96Dpi) {
    ASSERT_EQ(View().logicalDpiX(), 96);
    EXPECT_EQ(View().Metrics().TotalWidth(), 504);
    EXPECT_EQ(View().Metrics().TotalHeight(), 336);
    EXPECT_EQ(View().horizontalScrollBar()->pageStep(), 50);
    EXPECT_EQ(View().horizontalScrollBar()->singleStep(), 5);
    EXPECT_EQ(View().verticalScrollBar()->pageStep(), 33);
    EXPECT_EQ(View().verticalScrollBar()->singleStep(), 3);
}

TEST_F(CtarnelViewTest, CellsShowTheirValuesAndRow12EndsAtColumn7) {
    app->m_image[0] = 0x0A;
    app->m_image[127] = 0xFF;
    const QImage image = Render();
    EXPECT_GT(InkIn(image, Cell(0, 0)), 0);
    EXPECT_GT(InkIn(image, Cell(12, 7)), 0);
    EXPECT_EQ(InkIn(image, Cell(12, 8)), 0);
    EXPECT_EQ(InkIn(image, Cell(12, 9)), 0);
    // No borders inside the register area: the pixel rows and columns between
    // cells keep the background.
    EXPECT_EQ(image.pixel(72, 30), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(30, 48), qRgb(255, 255, 255));
}

TEST_F(CtarnelViewTest, TheSameValueDrawsTheSameInkAndADifferentValueOther) {
    // Column 0 is left out: the row labels' frames reach into it.
    app->m_image[1] = 0x3C;
    app->m_image[2] = 0x3C;
    app->m_image[3] = 0xA5;
    const QImage image = Render();
    const QImage a = image.copy(Cell(0, 1));
    const QImage b = image.copy(Cell(0, 2));
    const QImage c = image.copy(Cell(0, 3));
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST_F(CtarnelViewTest, StripsLinesAndRaisedFramesSitWhereTheyBelong) {
    const QImage image = Render();
    const QRgb grey = qRgb(192, 192, 192);
    EXPECT_EQ(image.pixel(200, 24), grey);  // line under the header row
    EXPECT_EQ(image.pixel(24, 200), grey);  // line right of the label column
    // Row label 0's frame (0, 25, 29, 48): light top-left, dark bottom-right.
    EXPECT_EQ(image.pixel(1, 25), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(28, 30), qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(10, 47), qRgb(128, 128, 128));
    // Column label 9's frame (457, 0, 504, 24).
    EXPECT_EQ(image.pixel(457, 5), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(503, 5), qRgb(128, 128, 128));
    // The row labels and column labels carry text.
    EXPECT_GT(InkIn(image, QRect(0, 24, 29, 24)), 0);
    EXPECT_GT(InkIn(image, QRect(456, 0, 48, 24)), 0);
}

TEST_F(CtarnelViewTest, OnlyCellsInTheClipBoxAreDrawn) {
    QImage image(504, 336, QImage::Format_RGB32);
    QPainter painter(&image);
    View().OnDraw(painter, GridRect{25, 25, 72, 48});
    EXPECT_EQ(View().CellsDrawnLastPaint(), 2);  // register 0 and the column after it
    View().OnDraw(painter, GridRect{0, 340, 504, 600});
    EXPECT_EQ(View().CellsDrawnLastPaint(), 0);
    View().OnDraw(painter, GridRect{0, 0, 504, 336});
    EXPECT_EQ(View().CellsDrawnLastPaint(), 128);
}

TEST_F(CtarnelViewTest, ASmallWindowScrollsAndALargeOneDoesNot) {
    Frame().resize(300, 200);
    EXPECT_GT(View().horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(View().verticalScrollBar()->maximum(), 0);
    Frame().resize(800, 600);
    EXPECT_EQ(View().horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(View().verticalScrollBar()->maximum(), 0);
}

TEST_F(CtarnelViewTest, TheViewTakesNoInputOfItsOwn) {
    EXPECT_EQ(View().focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(View().OnCmdMsg(CommandId::FileNew));
}

TEST_F(CtarnelViewTest, TheWindowShowsTheImageAfterARepaint) {
    app->m_image[1] = 0xAB;
    app->RepaintMainWindow();
    const QImage shown = View().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = Render();
    EXPECT_EQ(shown.copy(Cell(0, 1)), expected.copy(Cell(0, 1)));
}

TEST_F(CtarnelViewTest, ASunkenEdgeAndTheValuesInThePaletteTextOnItsBase) {
    QPalette palette = View().palette();
    palette.setColor(QPalette::Base, QColor(20, 20, 40));
    palette.setColor(QPalette::Text, QColor(250, 250, 0));
    palette.setColor(QPalette::Dark, QColor(1, 0, 0));
    palette.setColor(QPalette::Light, QColor(3, 0, 0));
    View().setPalette(palette);
    const QImage shot = View().grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(View().frameWidth(), 2);
    EXPECT_EQ(shot.pixel(100, 0), qRgb(1, 0, 0));                  // outer line, top
    EXPECT_EQ(shot.pixel(100, shot.height() - 1), qRgb(3, 0, 0));  // outer line, bottom
    const QImage cell = shot.copy(Cell(0, 1).translated(2, 2));
    EXPECT_EQ(cell.pixel(0, 0), qRgb(20, 20, 40));
    int yellow = 0;  // the value's pixels, antialiased toward the base colour
    for (int i = 0; i < cell.width() * cell.height(); ++i) {
        const QRgb p = cell.pixel(i % cell.width(), i / cell.width());
        yellow += qRed(p) > 200 && qBlue(p) < 60 ? 1 : 0;
    }
    EXPECT_GT(yellow, 0);
}

// The labels follow the desktop's font: at 11 points (about 15 pixels) "120"
// no longer fits the 29-pixel box, which then widens so that no label touches
// its frame.
TEST_F(CtarnelViewTest, RowLabelsOfALargerDesktopFontKeepClearOfTheirFrames) {
    QFont large = View().font();
    large.setPixelSize(15);
    View().setFont(large);  // as a style sheet does when the window is shown
    const GridMetrics& m = View().Metrics();
    const int box = m.labelWidth + GridMetrics::kLabelBoxOverhang;
    EXPECT_GT(m.labelWidth, 24);
    EXPECT_EQ(m.cellWidth, 48);
    const QImage image = Render();
    for (int k = 0; k < GridMetrics::kRows; ++k) {
        const int top = (k + 1) * m.cellHeight + 2;
        const int height = m.cellHeight - 3;
        EXPECT_EQ(InkIn(image, QRect(0, top, 2, height)), 0) << k;
        EXPECT_EQ(InkIn(image, QRect(box - 2, top, 2, height)), 0) << k;
        EXPECT_GT(InkIn(image, QRect(2, top, box - 4, height)), 0) << k;
    }
}

}  // namespace
