// SPDX-License-Identifier: GPL-3.0-or-later
#include "FaceStandIn.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>

namespace {

QFont CellFace() {
    QFont face(QStringLiteral("MS Sans Serif"));
    face.setStyleHint(QFont::SansSerif);
    face.setPixelSize(10);
    return face;
}

QImage Drawn(const QFont& font) {
    QImage image(200, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("0123456789ABCDEF"));
    return image;
}

// The first run asks for the face itself and keeps its stand-in, which the
// next run asks for by name: the same font, the same pixels.
TEST(FaceStandInTest, TheFirstRunKeepsTheStandInThatTheNextOneDrawsTheSameWith) {
    const QTemporaryDir dir;
    const QString cache = dir.filePath(QStringLiteral("cache/fonts.ini"));
    FaceStandIn first(cache);
    EXPECT_EQ(first.Font(CellFace()), CellFace());
    EXPECT_FALSE(first.Confirm(CellFace()));
    ASSERT_TRUE(QFileInfo(cache).isFile());

    FaceStandIn next(cache);
    const QFont standIn = next.Font(CellFace());
    EXPECT_EQ(standIn.family(), QFontInfo(CellFace()).family());
    EXPECT_EQ(standIn.pixelSize(), 10);
    EXPECT_EQ(Drawn(standIn), Drawn(CellFace()));
    EXPECT_FALSE(next.Confirm(CellFace()));
}

// Where the fonts changed since, the kept family is replaced, here and in
// the cache, and the caller hears that it has to draw again.
TEST(FaceStandInTest, AStandInThatNoLongerHoldsIsReplacedAndSaid) {
    const QTemporaryDir dir;
    const QString cache = dir.filePath(QStringLiteral("fonts.ini"));
    {
        QSettings stale(cache, QSettings::IniFormat);
        stale.setValue(QStringLiteral("StandIns/") + CellFace().key(), QStringLiteral("Serif"));
    }
    FaceStandIn faces(cache);
    EXPECT_EQ(faces.Font(CellFace()).family(), QStringLiteral("Serif"));
    EXPECT_TRUE(faces.Confirm(CellFace()));
    EXPECT_EQ(faces.Font(CellFace()).family(), QFontInfo(CellFace()).family());
    EXPECT_EQ(FaceStandIn(cache).Font(CellFace()).family(), QFontInfo(CellFace()).family());
}

// A file far larger than any cache of ours is not read; the next answer
// replaces it.
TEST(FaceStandInTest, AnOversizedCacheIsLeftUnreadAndReplaced) {
    const QTemporaryDir dir;
    const QString cache = dir.filePath(QStringLiteral("fonts.ini"));
    {
        QSettings big(cache, QSettings::IniFormat);
        big.setValue(QStringLiteral("StandIns/") + CellFace().key(), QStringLiteral("Serif"));
        big.setValue(QStringLiteral("StandIns/padding"), QString(100000, QLatin1Char('x')));
    }
    FaceStandIn faces(cache);
    EXPECT_EQ(faces.Font(CellFace()), CellFace());
    EXPECT_FALSE(faces.Confirm(CellFace()));
    EXPECT_LT(QFileInfo(cache).size(), 1000);
    EXPECT_EQ(FaceStandIn(cache).Font(CellFace()).family(), QFontInfo(CellFace()).family());
}

}  // namespace
