// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/IntensityLevel.h"

std::optional<IntensityLevel> intensityLevelFor(float intensity) {
    for (const auto& level : kIntensityLevels) {
        if (intensity == level.value) {
            return level;
        }
    }
    return std::nullopt;
}
