// SPDX-License-Identifier: GPL-3.0-or-later
#include "CellStamps.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "HexField.h"

namespace {

const QColor kInk(20, 20, 120);
const QColor kBase(250, 240, 200);
const QSize kCell(47, 23);

QFont CellFont(int pixels) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    return font;
}

// Every value 0x00..0xFF in a 16 x 16 grid of cells, each cell at an odd
// place of the image, with one pixel between cells; `stamps` draws them, or
// with none, QPainter::drawText as the view drew them before.
QImage Grid(QImage::Format format, const QFont& font, CellStamps* stamps,
            const QTransform& transform = QTransform(), QSize size = kCell) {
    QImage image(16 * (size.width() + 1) + 3, 16 * (size.height() + 1) + 3, format);
    image.fill(kBase);
    QPainter painter(&image);
    painter.setTransform(transform);
    for (int value = 0; value < 256; ++value) {
        const QRect cell(
            QPoint(3 + (value % 16) * (size.width() + 1), 1 + (value / 16) * (size.height() + 1)),
            size);
        if (stamps != nullptr) {
            stamps->Draw(painter, cell, cell, static_cast<uint8_t>(value), font, kInk, kBase);
        } else {
            painter.setPen(kInk);
            painter.setFont(font);
            painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine,
                             HexField::Format(static_cast<uint8_t>(value)));
        }
    }
    return image;
}

// The copies are the pixels drawing gives, on an opaque image and on one
// with alpha (whose text Qt may render differently), for every value.
TEST(CellStampsTest, EveryValueIsStampedAsDrawingItGivesInBothImageFormats) {
    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        CellStamps stamps;
        EXPECT_EQ(Grid(format, CellFont(10), &stamps), Grid(format, CellFont(10), nullptr))
            << format;
        EXPECT_EQ(stamps.Count(), 256);
    }
}

// Text larger than its cell is clipped to the cell, in the copy too; text
// whose ink leaves the cell is drawn directly, and so is everything under a
// scaled painter or off whole pixels.
TEST(CellStampsTest, ClippedOrSpillingTextAndTransformedPaintersDrawAsBefore) {
    CellStamps big;
    EXPECT_EQ(Grid(QImage::Format_RGB32, CellFont(30), &big),
              Grid(QImage::Format_RGB32, CellFont(30), nullptr));
    // Digits drawn over each other, so that the line is narrower than its
    // ink: it fits the narrow cell, the ink does not.
    QFont overlapping = CellFont(10);
    overlapping.setLetterSpacing(QFont::AbsoluteSpacing, -6);
    CellStamps narrow;
    const QTransform none;
    EXPECT_EQ(Grid(QImage::Format_RGB32, overlapping, &narrow, none, QSize(5, 23)),
              Grid(QImage::Format_RGB32, overlapping, nullptr, none, QSize(5, 23)));
    EXPECT_LT(narrow.Count(), 256);
    // Ink over a part of the cell that holds more than the background (a
    // line drawn before) is drawn as before too.
    const QRect cell(QPoint(2, 2), kCell);
    const auto lined = [&](CellStamps* stamps) {
        QImage image(60, 30, QImage::Format_RGB32);
        image.fill(kBase);
        QPainter painter(&image);
        painter.fillRect(QRect(cell.center().x(), 0, 1, 30), Qt::black);
        const QRect blank(QPoint(cell.center().x() + 1, cell.top()), cell.bottomRight());
        if (stamps != nullptr) {
            stamps->Draw(painter, cell, blank, 0x88, CellFont(10), kInk, kBase);
        } else {
            painter.setPen(kInk);
            painter.setFont(CellFont(10));
            painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("88"));
        }
        return image;
    };
    CellStamps halfBlank;
    EXPECT_EQ(lined(&halfBlank), lined(nullptr));
    for (const QTransform& transform :
         {QTransform::fromScale(1.5, 1.5), QTransform::fromTranslate(0.5, 0)}) {
        CellStamps stamps;
        EXPECT_EQ(Grid(QImage::Format_RGB32, CellFont(10), &stamps, transform),
                  Grid(QImage::Format_RGB32, CellFont(10), nullptr, transform));
        EXPECT_EQ(stamps.Count(), 0);
    }
}

// One stamp serves every cell of its value, until the look changes.
TEST(CellStampsTest, AValueIsLaidOutOnceAndAgainOnlyForANewLook) {
    QImage image(200, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    CellStamps stamps;
    for (int i = 0; i < 4; ++i) {
        const QRect cell(QPoint(i * 48, 0), kCell);
        stamps.Draw(painter, cell, cell, 0x00, CellFont(10), kInk, kBase);
    }
    EXPECT_EQ(stamps.Count(), 1);
    const QRect second(QPoint(0, 30), kCell);
    stamps.Draw(painter, second, second, 0xA5, CellFont(10), kInk, kBase);
    EXPECT_EQ(stamps.Count(), 2);
    const QRect red(QPoint(0, 60), kCell);
    stamps.Draw(painter, red, red, 0x00, CellFont(10), Qt::red, kBase);
    EXPECT_EQ(stamps.Count(), 1);
}

}  // namespace
