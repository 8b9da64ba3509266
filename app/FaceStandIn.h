// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QHash>
#include <QString>

// The installed family that stands in for a face the program asks for but
// the desktop seldom has ("MS Sans Serif" on Linux): the family Qt draws the
// face with. Qt finds it on the face's first use by asking fontconfig for
// the face's substitutes, a search over every installed font (about half a
// millisecond, on the way to the window's first paint).
//
// The answer is kept in a small cache file: Font() requests the family that
// stood in last time by its own name, which Qt finds at once, and Confirm(),
// called once the window is painted, asks Qt again and keeps the new answer
// where the fonts or their configuration changed since. Without a kept
// answer (the first run, an unreadable or oversized cache, which the next
// answer replaces) Font() gives the request as it is, so the face is drawn
// exactly as without the cache.
class FaceStandIn {
public:
    // The cache is the ini file `cachePath`; its folder is made when an
    // answer is kept.
    explicit FaceStandIn(QString cachePath);

    // The cache file of the user's cache folder.
    static QString UserCachePath();

    // `request` with the family that stood in for it when Confirm() last
    // ran; `request` itself when it never did.
    QFont Font(const QFont& request);
    // Asks Qt which family it draws `request` with and keeps the answer.
    // True when Font() gave another family until now: the caller then
    // draws again with a new Font().
    bool Confirm(const QFont& request);

private:
    void Load();

    QString m_cachePath;
    bool m_loaded = false;
    QHash<QString, QString> m_families;  // QFont::key() of a request -> family
};
