// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridGeometry.h"

#include <algorithm>

GridMetrics GridMetrics::FromDpi(int dpiX, int dpiY) {
    GridMetrics metrics;
    // At least one pixel each: the range of cells in a clip divides by them,
    // and a screen may report an absurdly low resolution.
    metrics.cellWidth = std::max(1, dpiX / 2);
    metrics.cellHeight = std::max(1, dpiY / 4);
    metrics.labelWidth = metrics.cellWidth / 2;
    return metrics;
}

GridMetrics GridMetrics::FittingLabels(int textWidth, int textHeight) const {
    GridMetrics metrics = *this;
    metrics.labelWidth = std::max(labelWidth, textWidth + 2 * kLabelMargin - kLabelBoxOverhang);
    metrics.cellHeight = std::max(cellHeight, textHeight + 2 * kLabelMargin);
    return metrics;
}

int CellRange::LastColumnIn(int row) const {
    return row == GridMetrics::kLastRow ? std::min(lastColumn, GridMetrics::kLastColumnOfLastRow)
                                        : lastColumn;
}

GridRect GetCellRect(const GridMetrics& m, int row, int column) {
    GridRect rect;
    rect.left = m.labelWidth + column * m.cellWidth + 1;
    rect.top = (row + 1) * m.cellHeight + 1;
    rect.right = rect.left + m.cellWidth - 1;
    rect.bottom = rect.top + m.cellHeight - 1;
    return rect;
}

CellRange CellsInClip(const GridMetrics& m, const GridRect& clip) {
    // Integer division truncates toward zero, as the range formulas expect.
    const int h = m.cellHeight;
    const int w = m.cellWidth;
    const int lw = m.labelWidth;
    CellRange range;
    range.firstRow = std::max(0, (clip.top - h) / h);
    range.lastRow = std::min(GridMetrics::kLastRow, (clip.bottom - 1) / h - 1);
    range.firstColumn = std::max(0, (clip.left - lw) / w);
    range.lastColumn = std::min(GridMetrics::kColumns - 1, (clip.right - 1 - lw + w) / w);
    return range;
}
