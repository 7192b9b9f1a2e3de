// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RecentProfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kKey = QStringLiteral("recentProfiles");

// One spelling per file, so the same profile is never listed twice.
QString normalised(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

QStringList RecentProfiles::paths() const {
    QStringList list = QSettings().value(kKey).toStringList();
    list.removeAll(QString());
    return list.mid(0, kMaximum);
}

void RecentProfiles::add(const QString& path) {
    const QString entry = normalised(path);
    QStringList list = paths();
    list.removeAll(entry);
    list.prepend(entry);
    store(list.mid(0, kMaximum));
}

void RecentProfiles::remove(const QString& path) {
    QStringList list = paths();
    list.removeAll(normalised(path));
    store(list);
}

void RecentProfiles::clear() {
    store({});
}

void RecentProfiles::store(const QStringList& paths) {
    QSettings settings;
    if (paths.isEmpty()) {
        settings.remove(kKey);
    } else {
        settings.setValue(kKey, paths);
    }
}
