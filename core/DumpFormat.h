// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

#include "EepromImage.h"

// The text layouts in which the registers can be dumped.
class DumpFormat {
public:
    enum class Kind {
        grid,     // the main window's 13 x 10 grid with its labels
        i2cdump,  // i2c-tools' byte dump: 8 rows of 16, with a character column
        xxd,      // xxd's layout, which `xxd -r` turns back into the bytes
    };

    // The kind named `name` ("grid", "i2cdump", "xxd"); nothing for another.
    static std::optional<Kind> Parse(const QString& name);
    // The names Parse takes, for help texts: "grid, i2cdump or xxd".
    static QString Names();
    // `image` in the layout `kind`, each line ending in a newline.
    static QString Format(Kind kind, const EepromImage& image);

private:
    static QString Grid(const EepromImage& image);
    static QString I2cdump(const EepromImage& image);
    static QString Xxd(const EepromImage& image);
};
