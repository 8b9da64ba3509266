// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenFit.h"

#include <algorithm>

QRect ScreenFit::Fit(const QRect& wanted, const QRect& available) {
    const QSize size = wanted.size().boundedTo(available.size());
    const int x = std::clamp(wanted.x(), available.left(), available.right() + 1 - size.width());
    const int y = std::clamp(wanted.y(), available.top(), available.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}
