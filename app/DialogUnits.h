// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>

// Converts dialog units to pixels with the base units of the 8-point dialog
// font the layouts were made for (6 by 13 pixels at 96 dpi: one horizontal
// unit is 1.5 px, one vertical unit 1.625 px), scaled by the screen's logical
// dpi over 96. Dialogs so keep their original sizes whatever font replaces the
// original one, and text placed in pixels lines up with their controls.
class DialogUnits {
public:
    // Horizontal dialog units to pixels at `dpi`.
    static int X(int units, int dpi = 96);
    // Vertical dialog units to pixels at `dpi`.
    static int Y(int units, int dpi = 96);
    // A rectangle (left, top, width, height) in dialog units to pixels.
    static QRect ToPixels(int left, int top, int width, int height, int dpi = 96);
    // The font for dialog texts: the 8-point dialog font the layouts were
    // made for, or the largest size of its substitute whose base units (the
    // average width of the Latin letters and the line height) are no larger
    // than the original ones, so that texts fit the controls they were
    // measured for.
    static QFont DialogFont(int dpi = 96);
};
