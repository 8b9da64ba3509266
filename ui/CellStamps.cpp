// SPDX-License-Identifier: GPL-3.0-or-later
#include "CellStamps.h"

#include <QPaintEngine>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "HexField.h"

namespace {

constexpr int kCenteredSingleLine = Qt::AlignCenter | Qt::TextSingleLine;
// Pixels kept around the visible ink: antialiasing may touch a pixel so
// lightly that it keeps the background's colour, and such a pixel lies next
// to visible ink.
constexpr int kInkMargin = 2;

bool IsWhole(qreal v) {
    return v == std::round(v);
}

// The pixel format of the image `painter` draws on when a copy of a stamp
// there equals drawing the text there: an image of the raster engine in a
// format of whole bytes per pixel, unscaled and translated by whole pixels,
// fully opaque and blending over. Format_Invalid otherwise.
QImage::Format StampableFormat(QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster) {
        return QImage::Format_Invalid;
    }
    const QPaintDevice* device = engine->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image) {
        return QImage::Format_Invalid;
    }
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxTranslate || !IsWhole(t.dx()) || !IsWhole(t.dy()) ||
        painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver) {
        return QImage::Format_Invalid;
    }
    const QImage::Format format = static_cast<const QImage*>(device)->format();
    return QImage::toPixelFormat(format).bitsPerPixel() % 8 == 0 ? format : QImage::Format_Invalid;
}

int DotsPerMeter(int dpi) {
    return static_cast<int>(std::lround(dpi / 0.0254));
}

// The smallest rectangle holding every pixel in which `drawn` differs from
// `blank`, an image of the same size and format; empty when none does.
QRect InkBox(const QImage& drawn, const QImage& blank) {
    const int bytes = drawn.depth() / 8;
    const int lineBytes = drawn.width() * bytes;
    int left = drawn.width();
    int right = -1;
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < drawn.height(); ++y) {
        const uchar* a = drawn.constScanLine(y);
        const uchar* b = blank.constScanLine(y);
        if (std::memcmp(a, b, lineBytes) == 0) {
            continue;
        }
        int first = 0;
        while (a[first] == b[first]) {
            ++first;
        }
        int last = lineBytes - 1;
        while (a[last] == b[last]) {
            --last;
        }
        left = std::min(left, first / bytes);
        right = std::max(right, last / bytes);
        top = top < 0 ? y : top;
        bottom = y;
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

void CellStamps::Draw(QPainter& painter, const QRect& cell, const QRect& blank, uint8_t value,
                      const QFont& font, const QColor& ink, const QColor& background) {
    const QImage::Format format = StampableFormat(painter);
    if (format != QImage::Format_Invalid && background.alpha() == 255 && !cell.isEmpty()) {
        const QPaintDevice* device = painter.device();
        const Look look{font,
                        ink.rgba(),
                        background.rgba(),
                        cell.size(),
                        format,
                        device->logicalDpiX(),
                        device->logicalDpiY(),
                        painter.renderHints(),
                        painter.layoutDirection()};
        if (!(look == m_look)) {
            m_look = look;
            m_stamps.fill(Stamp{});
            m_spills = false;
        }
        const Stamp& stamp = StampFor(value, font, ink);
        const QRect target(cell.topLeft() + stamp.offset, stamp.image.size());
        if (!stamp.image.isNull() && blank.contains(target)) {
            painter.drawImage(target.topLeft(), stamp.image);
            return;
        }
    }
    painter.setPen(ink);
    painter.setFont(font);
    painter.drawText(cell, kCenteredSingleLine, HexField::Format(value));
}

int CellStamps::Count() const {
    return static_cast<int>(std::count_if(m_stamps.begin(), m_stamps.end(),
                                          [](const Stamp& s) { return !s.image.isNull(); }));
}

const CellStamps::Stamp& CellStamps::StampFor(uint8_t value, const QFont& font, const QColor& ink) {
    static const Stamp kDirect{QImage(), QPoint(), true};
    Stamp& stamp = m_stamps[value];
    if (m_spills) {
        return kDirect;
    }
    if (stamp.made) {
        return stamp;
    }
    // The text is drawn into the middle of a canvas three cells wide and
    // high, so that ink reaching out of the cell shows.
    const QSize size = m_look.size;
    QImage blank(size * 3, m_look.format);
    blank.setDotsPerMeterX(DotsPerMeter(m_look.dpiX));
    blank.setDotsPerMeterY(DotsPerMeter(m_look.dpiY));
    blank.fill(QColor::fromRgba(m_look.background));
    QImage canvas = blank.copy();
    const QRect inner(QPoint(size.width(), size.height()), size);
    {
        QPainter painter(&canvas);
        painter.setRenderHints(painter.renderHints(), false);
        painter.setRenderHints(m_look.hints, true);
        painter.setLayoutDirection(m_look.direction);
        painter.setPen(ink);
        painter.setFont(font);
        painter.drawText(inner, kCenteredSingleLine, HexField::Format(value));
    }
    stamp.made = true;
    const QRect inked = InkBox(canvas, blank);
    if (inked.isEmpty()) {
        return stamp;  // nothing visible to copy: drawn directly
    }
    const QRect kept = inked.adjusted(-kInkMargin, -kInkMargin, kInkMargin, kInkMargin);
    if (!inner.contains(kept)) {
        m_spills = true;
        return kDirect;
    }
    stamp.image = canvas.copy(kept);
    stamp.offset = kept.topLeft() - inner.topLeft();
    return stamp;
}
