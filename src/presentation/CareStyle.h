// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/Triage.h"
#include "presentation/IntensityLevel.h"

#include <string_view>

// How a care level looks: its own colours and picture, so that no two levels
// can be told apart by one cue alone.
struct CareStyle {
    Rgba background;
    Rgba text;             // also the picture's ink
    std::string_view icon; // resource name of the picture
};

CareStyle careStyleFor(CareLevel level);

// Relative luminance of an opaque sRGB colour, 0 (black) to 1 (white).
double relativeLuminance(const Rgba& colour);
// Contrast of two opaque colours, 1 to 21; text wants 4.5 or more.
double contrastRatio(const Rgba& a, const Rgba& b);

inline constexpr double kMinimumTextContrast = 4.5;
