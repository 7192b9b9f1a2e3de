// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "presentation/IntensityLevel.h"

#include <QColor>

class QLabel;

QColor toQColor(const Rgba& colour);

// Shows a level on a label: its colour first, then its word.
void showLevel(QLabel& label, const IntensityLevel& level);
