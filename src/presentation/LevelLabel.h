// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "presentation/IntensityLevel.h"

#include <QColor>

class QLabel;

QColor toQColor(const Rgba& colour);
Rgba toRgba(const QColor& colour);

// Shows a level on a label as a badge: filled with the level's colour first,
// then its word, in the text colour that reads best on that fill.
void showLevel(QLabel& label, const IntensityLevel& level);
