// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/LevelLabel.h"

#include <QLabel>
#include <QPalette>

QColor toQColor(const Rgba& colour) {
    return QColor::fromRgbF(static_cast<float>(colour.red), static_cast<float>(colour.green),
                            static_cast<float>(colour.blue), static_cast<float>(colour.alpha));
}

void showLevel(QLabel& label, const IntensityLevel& level) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, toQColor(level.colour));
    label.setPalette(palette);
    label.setText(QString::fromUtf8(level.word.data(), static_cast<int>(level.word.size())));
}
