#pragma once

#include "presentation/IntensityLevel.h"

#include <QColor>

class QLabel;

QColor toQColor(const Rgba& colour);

// Shows a level on a label: its colour first, then its word.
void showLevel(QLabel& label, const IntensityLevel& level);
