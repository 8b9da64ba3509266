// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridGeometry.h"

#include <gtest/gtest.h>

namespace {

const GridMetrics k96 = GridMetrics::FromDpi(96, 96);

TEST(GridGeometryTest, MetricsFollowTheLogicalDpi) {
    EXPECT_EQ(k96.cellWidth, 48);
    EXPECT_EQ(k96.cellHeight, 24);
    EXPECT_EQ(k96.labelWidth, 24);
    EXPECT_EQ(k96.TotalWidth(), 504);
    EXPECT_EQ(k96.TotalHeight(), 336);
    const GridMetrics m120 = GridMetrics::FromDpi(120, 120);
    EXPECT_EQ(m120.cellWidth, 60);
    EXPECT_EQ(m120.cellHeight, 30);
    EXPECT_EQ(m120.labelWidth, 30);
    const GridMetrics odd = GridMetrics::FromDpi(97, 99);
    EXPECT_EQ(odd.cellWidth, 48);
    EXPECT_EQ(odd.cellHeight, 24);
    // A resolution too low for the formulas still gives cells to count.
    const GridMetrics tiny = GridMetrics::FromDpi(1, 3);
    EXPECT_EQ(CellsInClip(tiny, GridRect{0, 0, 10, 10}).firstRow, 0);
}

TEST(GridGeometryTest, CellRectanglesLeaveOutTheFirstPixelRowAndColumn) {
    EXPECT_EQ(GetCellRect(k96, 0, 0), (GridRect{25, 25, 72, 48}));
    EXPECT_EQ(GetCellRect(k96, 0, 9), (GridRect{457, 25, 504, 48}));
    EXPECT_EQ(GetCellRect(k96, 12, 7), (GridRect{361, 313, 408, 336}));
}

TEST(GridGeometryTest, TheWholeGridReachesEveryCell) {
    const CellRange range = CellsInClip(k96, GridRect{0, 0, 504, 336});
    EXPECT_EQ(range, (CellRange{0, 12, 0, 9}));
    EXPECT_EQ(range.LastColumnIn(11), 9);
    EXPECT_EQ(range.LastColumnIn(12), 7);
}

TEST(GridGeometryTest, AClipBoxReachesOnlyItsCellsAndAtMostOneColumnMore) {
    // Register 0's cell alone.
    EXPECT_EQ(CellsInClip(k96, GridRect{25, 25, 72, 48}), (CellRange{0, 0, 0, 1}));
    // Part of row 12 ending left of column 8: registers 120 to 127 it reaches.
    const CellRange row12 = CellsInClip(k96, GridRect{24, 320, 300, 336});
    EXPECT_EQ(row12.firstRow, 12);
    EXPECT_EQ(row12.lastRow, 12);
    EXPECT_EQ(row12.firstColumn, 0);
    EXPECT_EQ(row12.LastColumnIn(12), 6);
    // Clip box over the empty places of columns 8 and 9 in row 12.
    const CellRange empty12 = CellsInClip(k96, GridRect{410, 315, 504, 336});
    EXPECT_GT(empty12.firstColumn, empty12.LastColumnIn(12));
}

TEST(GridGeometryTest, AClipBoxOutsideTheGridReachesNoCell) {
    const CellRange below = CellsInClip(k96, GridRect{0, 340, 504, 600});
    EXPECT_GT(below.firstRow, below.lastRow);
    const CellRange right = CellsInClip(k96, GridRect{600, 0, 700, 336});
    EXPECT_GT(right.firstColumn, right.lastColumn);
    const CellRange header = CellsInClip(k96, GridRect{0, 0, 504, 24});
    EXPECT_GT(header.firstRow, header.lastRow);
}

// The label box is lw + 5 wide and keeps two pixels (frame and air) on each
// side of the text; a row keeps two above and below. Labels that fit change
// nothing.
TEST(GridGeometryTest, LabelsWidenTheirColumnAndRowsOnlyWhenTheyNeedTo) {
    const struct {
        int textWidth;
        int textHeight;
        int labelWidth;
        int cellHeight;
    } cases[] = {
        {18, 15, 24, 24},  // a desktop font the grid was made for
        {25, 20, 24, 24},  // just fits: 25 + 4 = 29 = 24 + 5
        {26, 20, 25, 24},  // one pixel more
        {31, 21, 30, 25},  // a large font: wider and taller
    };
    for (const auto& c : cases) {
        const GridMetrics m = k96.FittingLabels(c.textWidth, c.textHeight);
        EXPECT_EQ(m.labelWidth, c.labelWidth) << c.textWidth;
        EXPECT_EQ(m.cellHeight, c.cellHeight) << c.textHeight;
        EXPECT_EQ(m.cellWidth, 48);
    }
}

}  // namespace
