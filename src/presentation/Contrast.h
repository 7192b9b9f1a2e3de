// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "presentation/IntensityLevel.h"

// Readability of text on a colour, as WCAG 2 measures it.

// Relative luminance of an sRGB colour: 0 for black, 1 for white.
double relativeLuminance(const Rgba& colour);

// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double contrastRatio(const Rgba& a, const Rgba& b);

// What normal-size text needs.
inline constexpr double kMinimumTextContrast = 4.5;

inline constexpr Rgba kBlack{0.0, 0.0, 0.0, 1.0};
inline constexpr Rgba kWhite{1.0, 1.0, 1.0, 1.0};

// The text colour for a word drawn on a badge filled with `background`: black
// or white, whichever stands out more.
Rgba badgeTextColour(const Rgba& background);
