// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/LevelLabel.h"

#include "presentation/Contrast.h"

#include <QLabel>
#include <QPalette>

QColor toQColor(const Rgba& colour) {
    return QColor::fromRgbF(static_cast<float>(colour.red), static_cast<float>(colour.green),
                            static_cast<float>(colour.blue), static_cast<float>(colour.alpha));
}

Rgba toRgba(const QColor& colour) {
    return {colour.redF(), colour.greenF(), colour.blueF(), colour.alphaF()};
}

void showLevel(QLabel& label, const IntensityLevel& level) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, toQColor(level.colour));
    palette.setColor(QPalette::WindowText, toQColor(badgeTextColour(level.colour)));
    label.setPalette(palette);
    label.setAutoFillBackground(true);
    label.setAlignment(Qt::AlignCenter);
    label.setContentsMargins(8, 2, 8, 2);
    label.setText(QString::fromUtf8(level.word.data(), static_cast<int>(level.word.size())));
}
