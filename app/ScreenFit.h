// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

// Keeps windows on the screen: a window's wanted outer rectangle is used as
// it is where it fits into the screen's available area; otherwise it is
// moved into the area, and shrunk to it where it is larger.
class ScreenFit {
public:
    // `wanted` moved into `available` as little as possible, its size
    // bounded by the area's size.
    static QRect Fit(const QRect& wanted, const QRect& available);
};
