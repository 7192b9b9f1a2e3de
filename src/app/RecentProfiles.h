// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The profiles opened or saved last, newest first, kept in the user's settings.
class RecentProfiles {
public:
    static constexpr int kMaximum = 8;

    QStringList paths() const;
    // Puts the path first, once, and drops the oldest beyond the maximum.
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

private:
    void store(const QStringList& paths);
};
