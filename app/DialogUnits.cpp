// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogUnits.h"

#include <QFontMetrics>

namespace {
constexpr int kBaseWidth = 6;    // average character width at 96 dpi
constexpr int kBaseHeight = 13;  // character height at 96 dpi
constexpr int kReferenceDpi = 96;

// units * base / divisor, scaled by dpi / 96, rounded half away from zero
// as the platform's dialog mapping rounds.
int Scale(int units, int base, int divisor, int dpi) {
    const long long numerator = static_cast<long long>(units) * base * dpi;
    const long long denominator = static_cast<long long>(divisor) * kReferenceDpi;
    const long long twice = 2 * numerator / denominator;
    return static_cast<int>((twice + (twice >= 0 ? 1 : -1)) / 2);
}
}  // namespace

int DialogUnits::X(int units, int dpi) {
    return Scale(units, kBaseWidth, 4, dpi);
}

int DialogUnits::Y(int units, int dpi) {
    return Scale(units, kBaseHeight, 8, dpi);
}

QRect DialogUnits::ToPixels(int left, int top, int width, int height, int dpi) {
    return QRect(X(left, dpi), Y(top, dpi), X(width, dpi), Y(height, dpi));
}

QFont DialogUnits::DialogFont(int dpi) {
    static const QString kLetters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int maxWidth = Scale(4, kBaseWidth, 4, dpi);
    const int maxHeight = Scale(8, kBaseHeight, 8, dpi);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    for (int size = maxHeight; size > 1; --size) {
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        const int averageWidth =
            (metrics.horizontalAdvance(kLetters) + kLetters.size() / 2) / kLetters.size();
        if (averageWidth <= maxWidth && metrics.height() <= maxHeight) {
            break;
        }
    }
    return font;
}
