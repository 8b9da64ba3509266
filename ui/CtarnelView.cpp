// SPDX-License-Identifier: GPL-3.0-or-later
#include "CtarnelView.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include "CtarnelApp.h"
#include "FaceStandIn.h"
#include "GridAccessible.h"

namespace {
const QColor kGrey(192, 192, 192);
const QColor kHighlight(255, 255, 255);
const QColor kShadow(128, 128, 128);

QRect ToQRect(const GridRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Horizontal or vertical line from (x1, y1) to (x2, y2), end point left out.
void Line(QPainter& painter, int x1, int y1, int x2, int y2) {
    if (y1 == y2) {
        painter.fillRect(QRect(std::min(x1, x2), y1, std::abs(x2 - x1), 1), kGrey);
    } else {
        painter.fillRect(QRect(x1, std::min(y1, y2), 1, std::abs(y2 - y1)), kGrey);
    }
}

constexpr int kCenteredSingleLine = Qt::AlignCenter | Qt::TextSingleLine;
}  // namespace

CtarnelView::CtarnelView(QWidget* parent) : QAbstractScrollArea(parent) {
    // Screen readers see the grid as a table of registers.
    [[maybe_unused]] static const bool accessible =
        (QAccessible::installFactory(&GridAccessible::Factory), true);
    // The cell font is 8 points on the screen: LOGPIXELSY * 80 / 720 pixels,
    // asked for by the family that stands in for its face on this desktop.
    m_cellFace = QFont(QStringLiteral("MS Sans Serif"));
    m_cellFace.setStyleHint(QFont::SansSerif);
    m_cellFace.setPixelSize(std::max(1, logicalDpiY() * 80 / 720));
    m_fontCell = AfxGetApp()->Faces().Font(m_cellFace);
    setFocusPolicy(Qt::NoFocus);
    // The sunken client edge: two pixels, the palette's dark and shadow lines
    // at the top and left, its light and midlight lines at the bottom and right.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    viewport()->setAutoFillBackground(false);
}

void CtarnelView::OnInitialUpdate() {
    m_initialized = true;
    FixMetrics();
}

void CtarnelView::ConfirmCellFace() {
    if (AfxGetApp()->Faces().Confirm(m_cellFace)) {
        m_fontCell = AfxGetApp()->Faces().Font(m_cellFace);
        viewport()->update();
    }
}

void CtarnelView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    // A style sheet or the desktop may set the font only as the window is
    // shown, or change it later.
    if (event->type() == QEvent::FontChange && m_initialized) {
        FixMetrics();
    }
}

void CtarnelView::FixMetrics() {
    // The labels are drawn in the desktop's font, which may be larger than
    // the one the grid was measured for: their boxes then grow to hold them.
    const QFontMetrics labels(font());
    int widest = 0;
    for (int k = 0; k < GridMetrics::kRows; ++k) {
        widest = std::max(widest, labels.horizontalAdvance(QString::number(10 * k)));
    }
    m_metrics =
        GridMetrics::FromDpi(logicalDpiX(), logicalDpiY()).FittingLabels(widest, labels.height());
    UpdateScrollBars();
    viewport()->update();
}

bool CtarnelView::OnCmdMsg(int) {
    return false;
}

bool CtarnelView::Handles(int) const {
    return false;
}

void CtarnelView::UpdateScrollBars() {
    const int width = m_metrics.TotalWidth();
    const int height = m_metrics.TotalHeight();
    // Where the whole grid fits the area without scroll bars, they go, even
    // if they take room from the viewport now.
    const QSize room = maximumViewportSize();
    const QSize visible =
        width <= room.width() && height <= room.height() ? room : viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, width - visible.width()));
    horizontalScrollBar()->setPageStep(width / 10);
    horizontalScrollBar()->setSingleStep(width / 10 / 10);
    verticalScrollBar()->setRange(0, std::max(0, height - visible.height()));
    verticalScrollBar()->setPageStep(height / 10);
    verticalScrollBar()->setSingleStep(height / 10 / 10);
}

void CtarnelView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    viewport()->update();  // a new width or height redraws the whole view
}

void CtarnelView::scrollContentsBy(int, int) {
    viewport()->update();
}

QRect CtarnelView::ScreenRect(const GridRect& area) const {
    const QPoint origin(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return QRect(viewport()->mapToGlobal(QPoint(area.left, area.top) - origin),
                 QSize(area.right - area.left, area.bottom - area.top));
}

void CtarnelView::RepaintNow() {
    viewport()->update();
    viewport()->repaint();
}

void CtarnelView::paintEvent(QPaintEvent* event) {
    ++m_paintCount;
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    const QPoint origin(horizontalScrollBar()->value(), verticalScrollBar()->value());
    painter.translate(-origin);
    const QRect clip = event->rect().translated(origin);
    OnDraw(painter, GridRect{clip.left(), clip.top(), clip.left() + clip.width(),
                             clip.top() + clip.height()});
}

void CtarnelView::OnDraw(QPainter& painter, const GridRect& clip) {
    const int w = m_metrics.cellWidth;
    const int h = m_metrics.cellHeight;
    const int lw = m_metrics.labelWidth;
    const int width = m_metrics.TotalWidth();
    const int height = m_metrics.TotalHeight();

    // The header and label strips, their lines, labels and frames: on every
    // draw, whatever the clip box.
    painter.fillRect(QRect(0, 0, width, h), kGrey);
    painter.fillRect(QRect(0, 0, lw, height), kGrey);
    Line(painter, 0, h, width, h);
    Line(painter, lw, 0, lw, height);
    painter.setPen(Qt::black);
    painter.setFont(font());
    for (int k = 0; k < GridMetrics::kRows; ++k) {
        const int y = (k + 1) * h;
        Line(painter, 0, y, lw, y);
        const int box = lw + GridMetrics::kLabelBoxOverhang;
        painter.drawText(QRect(0, y, box, h), kCenteredSingleLine, QString::number(10 * k));
        DrawRaisedFrame(painter, GridRect{0, y + 1, box, y + h});
    }
    for (int c = 0; c < GridMetrics::kColumns; ++c) {
        const int x = lw + c * w;
        Line(painter, x, 0, x, h);
        painter.drawText(QRect(x, 0, w, h), kCenteredSingleLine, QString::number(c));
        DrawRaisedFrame(painter, GridRect{x + 1, 0, x + w, h});
    }

    // Only the cells the clip box reaches.
    m_cellsDrawn = 0;
    const CellRange range = CellsInClip(m_metrics, clip);
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        for (int column = range.firstColumn; column <= range.LastColumnIn(row); ++column) {
            DrawCell(painter, row, column);
        }
    }
}

void CtarnelView::DrawCell(QPainter& painter, int row, int column) {
    const uint8_t value = AfxGetApp()->m_image[row * GridMetrics::kColumns + column];
    const QRect cell = ToQRect(GetCellRect(m_metrics, row, column));
    // The row labels' boxes reach into the first column; the rest of a cell
    // holds only the background when the value is drawn.
    const int labelBoxRight = m_metrics.labelWidth + GridMetrics::kLabelBoxOverhang;
    const QRect blank(QPoint(std::max(cell.left(), labelBoxRight), cell.top()), cell.bottomRight());
    // The values in the palette's text colour on its base colour (the
    // background), so that a dark theme keeps them readable; the header and
    // label strips keep their fixed grey with black labels.
    m_stamps.Draw(painter, cell, blank, value, m_fontCell, palette().color(QPalette::Text),
                  palette().color(QPalette::Base));
    ++m_cellsDrawn;
}

void CtarnelView::DrawRaisedFrame(QPainter& painter, const GridRect& r) {
    // Top and left edges light, then right and bottom edges dark.
    painter.fillRect(QRect(r.left, r.top, r.right - 1 - r.left, 1), kHighlight);
    painter.fillRect(QRect(r.left, r.top, 1, r.bottom - 1 - r.top), kHighlight);
    painter.fillRect(QRect(r.right - 1, r.top, 1, r.bottom - r.top), kShadow);
    painter.fillRect(QRect(r.left, r.bottom - 1, r.right - r.left, 1), kShadow);
}
