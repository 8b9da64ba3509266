// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <array>
#include <cstdint>

// Draws register values into their cells as QPainter::drawText would draw
// them (centred, in one line), but lays out and renders each value's text
// only once: the text as drawn on the background, its "stamp", is kept and
// copied into every later cell that shows the same value. An image of zeros
// or of 0xFF draws 128 cells for the price of one.
//
// A copy has exactly the pixels drawing the text there would give, because
// the stamp is drawn as the text would be in the cell itself: on the same
// background, in the target's pixel format, font, colour, hints and
// resolution, with the cell on whole pixels of an unscaled target (the
// glyphs fall on the same pixel phase), and it is copied only where the
// target holds just the background. Where that cannot hold, the text is
// drawn directly: a scaled or rotated painter, a cell on fractional device
// pixels, a target that is no image (the pixmap of a widget grab, a
// printer), or text whose ink would reach beyond the cell's blank part.
class CellStamps {
public:
    // Draws `value` in "%02X" into `cell` in `font` and `ink`. Where the
    // text is copied, `blank`, the part of the cell that holds only
    // `background`, must take in all its ink.
    void Draw(QPainter& painter, const QRect& cell, const QRect& blank, uint8_t value,
              const QFont& font, const QColor& ink, const QColor& background);
    // Stamps made since the last change of font, colours, format or size.
    int Count() const;

private:
    // Everything a stamp's pixels depend on besides its value.
    struct Look {
        QFont font;
        QRgb ink = 0;
        QRgb background = 0;
        QSize size;
        QImage::Format format = QImage::Format_Invalid;
        int dpiX = 0;
        int dpiY = 0;
        QPainter::RenderHints hints;
        Qt::LayoutDirection direction = Qt::LayoutDirectionAuto;
        bool operator==(const Look&) const = default;
    };
    // The pixels around a value's ink, and where they lie in the cell.
    struct Stamp {
        QImage image;  // null before it is made, or when there is no ink to copy
        QPoint offset;
        bool made = false;
    };

    // The stamp of `value`, made on first use; a null one when the value is
    // to be drawn directly.
    const Stamp& StampFor(uint8_t value, const QFont& font, const QColor& ink);

    Look m_look;
    std::array<Stamp, 256> m_stamps;
    // Some value's ink reaches out of its cell, over its neighbours: a copy
    // could then cover that ink, so every value is drawn directly.
    bool m_spills = false;
};
