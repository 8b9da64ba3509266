// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Geometry of the register grid, in pixels with the origin at the top-left
// corner of the scrollable area: a header row and 13 grid rows of height h, a
// label column of width lw and 10 register columns of width w. Register n
// lies in row n / 10 and column n % 10; row 12 has columns 0 to 7 only.
struct GridMetrics {
    static constexpr int kRows = 13;
    static constexpr int kColumns = 10;
    static constexpr int kLastRow = kRows - 1;
    static constexpr int kLastColumnOfLastRow = 7;

    int cellWidth = 48;   // w = logical dpi x / 2
    int cellHeight = 24;  // h = logical dpi y / 4
    int labelWidth = 24;  // lw = w / 2

    // Width of a label box beyond the label column, and room kept inside
    // it and inside a row: a frame line and a pixel of air on each side.
    static constexpr int kLabelBoxOverhang = 5;
    static constexpr int kLabelMargin = 2;

    static GridMetrics FromDpi(int dpiX, int dpiY);
    // These metrics, with the label column and the rows widened only where
    // a label `textWidth` wide and `textHeight` high would not fit its box.
    GridMetrics FittingLabels(int textWidth, int textHeight) const;
    int TotalWidth() const { return labelWidth + kColumns * cellWidth; }
    int TotalHeight() const { return (kRows + 1) * cellHeight; }
};

// A rectangle with exclusive right and bottom edges.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const GridRect&) const = default;
};

// The rows and columns of cells that a clip box can reach. The column range
// may include one column right of the box; row 12 stops at column 7.
struct CellRange {
    int firstRow = 0;
    int lastRow = -1;
    int firstColumn = 0;
    int lastColumn = -1;

    // Last column to draw in `row`.
    int LastColumnIn(int row) const;
    bool operator==(const CellRange&) const = default;
};

// The rectangle of the cell at `row`, `column`: the area of its row and
// column less their first pixel row and column.
GridRect GetCellRect(const GridMetrics& metrics, int row, int column);

// The cells a clip box (in scrollable-area coordinates) reaches, never
// outside rows 0 to 12 and columns 0 to 9.
CellRange CellsInClip(const GridMetrics& metrics, const GridRect& clip);
