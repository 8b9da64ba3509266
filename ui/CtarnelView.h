// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QFont>

#include "CellStamps.h"
#include "CommandTarget.h"
#include "GridGeometry.h"

class QPainter;

// The main window's only view: the register image as a read-only grid of 13
// rows of ten "%02X" values under a header row of column labels and beside a
// label column of row labels. It keeps no copy of the image: every paint reads
// the application's register image. It scrolls when the window is smaller than
// the grid and takes no input of its own.
class CtarnelView : public QAbstractScrollArea, public CommandTarget {
    Q_OBJECT

public:
    explicit CtarnelView(QWidget* parent = nullptr);

    // Fixes the metrics from the screen's logical dpi, widened where the
    // view's font needs larger label boxes (again whenever the font changes),
    // and sets the scroll sizes: a page is a tenth of the grid, a line a
    // tenth of a page.
    void OnInitialUpdate();
    // Asks again which family stands in for the cell font's face and draws
    // the grid again when it is another than the one it was drawn with.
    void ConfirmCellFace();
    // The view binds no commands.
    bool OnCmdMsg(int id) override;
    bool Handles(int id) const override;

    // Paints the whole view at once.
    void RepaintNow();
    // Draws the grid as it lies in `clip` (scrollable-area coordinates).
    void OnDraw(QPainter& painter, const GridRect& clip);

    const GridMetrics& Metrics() const { return m_metrics; }
    // Where `area` (scrollable-area coordinates) lies on the screen now.
    QRect ScreenRect(const GridRect& area) const;
    // Paints so far, and cells drawn by the last paint.
    int PaintCount() const { return m_paintCount; }
    int CellsDrawnLastPaint() const { return m_cellsDrawn; }

protected:
    // Fits the label boxes to a new font.
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void FixMetrics();
    void DrawCell(QPainter& painter, int row, int column);
    void DrawRaisedFrame(QPainter& painter, const GridRect& rect);
    void UpdateScrollBars();

    QFont m_cellFace;     // the cell font as asked for, by its face
    QFont m_fontCell;     // the same by the family standing in for the face
    CellStamps m_stamps;  // the values as drawn, copied into their cells
    GridMetrics m_metrics;
    bool m_initialized = false;  // OnInitialUpdate has run
    int m_paintCount = 0;
    int m_cellsDrawn = 0;
};
