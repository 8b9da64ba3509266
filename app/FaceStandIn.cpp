// SPDX-License-Identifier: GPL-3.0-or-later
#include "FaceStandIn.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QSettings>
#include <QStandardPaths>
#include <utility>

namespace {
const QString kGroup = QStringLiteral("StandIns");
// A few lines of families; a larger file is no cache of ours, and reading it
// would slow every start down.
constexpr qint64 kMaxCacheBytes = 64 * 1024;

bool Oversized(const QString& path) {
    return QFileInfo(path).size() > kMaxCacheBytes;
}
}  // namespace

FaceStandIn::FaceStandIn(QString cachePath) : m_cachePath(std::move(cachePath)) {}

QString FaceStandIn::UserCachePath() {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/fonts.ini");
}

QFont FaceStandIn::Font(const QFont& request) {
    Load();
    const auto found = m_families.constFind(request.key());
    if (found == m_families.constEnd() || found->isEmpty()) {
        return request;
    }
    QFont font = request;
    font.setFamilies({*found});
    return font;
}

bool FaceStandIn::Confirm(const QFont& request) {
    Load();
    const QString key = request.key();
    const QString family = QFontInfo(request).family();
    const auto kept = m_families.constFind(key);
    if (kept != m_families.constEnd() && *kept == family) {
        return false;
    }
    const bool differed = kept != m_families.constEnd();
    m_families.insert(key, family);
    // A cache: an answer that cannot be kept is searched for again next time.
    if (Oversized(m_cachePath)) {
        QFile::remove(m_cachePath);
    }
    if (QDir().mkpath(QFileInfo(m_cachePath).absolutePath())) {
        QSettings cache(m_cachePath, QSettings::IniFormat);
        cache.beginGroup(kGroup);
        cache.setValue(key, family);
    }
    return differed;
}

void FaceStandIn::Load() {
    if (m_loaded) {
        return;
    }
    m_loaded = true;
    if (!QFileInfo(m_cachePath).isFile() || Oversized(m_cachePath)) {
        return;
    }
    QSettings cache(m_cachePath, QSettings::IniFormat);
    cache.beginGroup(kGroup);
    for (const QString& key : cache.childKeys()) {
        m_families.insert(key, cache.value(key).toString());
    }
}
