// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageFormat.h"

#include <QFileInfo>

#include "IntelHexCodec.h"
#include "SRecordCodec.h"

ImageFormat::Kind ImageFormat::ForName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "hex" || suffix == "ihex" || suffix == "ihx") {
        return Kind::ihex;
    }
    if (suffix == "srec" || suffix == "s19" || suffix == "mot") {
        return Kind::srec;
    }
    return Kind::raw;
}

std::optional<ImageFormat::Kind> ImageFormat::Parse(const QString& name) {
    if (name == "raw") {
        return Kind::raw;
    }
    if (name == "ihex") {
        return Kind::ihex;
    }
    if (name == "srec") {
        return Kind::srec;
    }
    return std::nullopt;
}

QString ImageFormat::Names() {
    return tr("raw, ihex or srec");
}

QString ImageFormat::Title(Kind kind) {
    switch (kind) {
        case Kind::ihex:
            return tr("Intel HEX");
        case Kind::srec:
            return tr("S-record");
        case Kind::raw:
            break;
    }
    return tr("raw");
}

QString ImageFormat::DecodeText(Kind kind, const QByteArray& text, EepromImage& image) {
    return kind == Kind::srec ? SRecordCodec::Decode(text, image)
                              : IntelHexCodec::Decode(text, image);
}

QByteArray ImageFormat::Encode(Kind kind, const EepromImage& image) {
    switch (kind) {
        case Kind::ihex:
            return IntelHexCodec::Encode(image);
        case Kind::srec:
            return SRecordCodec::Encode(image);
        case Kind::raw:
            break;
    }
    return QByteArray(reinterpret_cast<const char*>(image.data()),
                      static_cast<qsizetype>(image.size()));
}
