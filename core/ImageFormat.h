// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <optional>

#include "EepromImage.h"

// The formats an image file can have, chosen by the file's name or by the
// user: the 128 raw bytes, Intel HEX or Motorola S-record text.
class ImageFormat {
    Q_DECLARE_TR_FUNCTIONS(ImageFormat)

public:
    enum class Kind {
        raw,   // the 128 register bytes, register 0 first, no header
        ihex,  // Intel HEX
        srec,  // Motorola S-record
    };

    // Largest text file read as an image: a 128-byte image takes a few
    // hundred bytes in either text format.
    static constexpr qint64 kMaxTextSize = 1 << 20;

    // The format the name of `path` says, by its extension in any case:
    // .hex, .ihex, .ihx are Intel HEX; .srec, .s19, .mot are S-record;
    // every other name is raw.
    static Kind ForName(const QString& path);
    // The kind named `name` ("raw", "ihex", "srec"); nothing for another.
    static std::optional<Kind> Parse(const QString& name);
    // The names Parse takes, for help texts: "raw, ihex or srec".
    static QString Names();
    // The format as messages name it: "Intel HEX".
    static QString Title(Kind kind);
    // Decodes the text `text` of an Intel HEX or S-record file (not raw)
    // into `image`, which changes only on success. Empty on success,
    // otherwise what is wrong and on which line.
    static QString DecodeText(Kind kind, const QByteArray& text, EepromImage& image);
    // The contents of an image file of format `kind` holding `image`.
    static QByteArray Encode(Kind kind, const EepromImage& image);
};
