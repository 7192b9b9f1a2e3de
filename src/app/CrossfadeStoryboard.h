// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Swaps one view for another inside their container and sizes the window to
// the newcomer. Nothing in the program uses it yet; it is there for screens
// that replace the main one.
class CrossfadeStoryboard {
public:
    CrossfadeStoryboard(QString identifier, QWidget* source, QWidget* destination);

    void perform();

    const QString& identifier() const { return id; }

private:
    QString id;
    QWidget* source;
    QWidget* destination;
};
