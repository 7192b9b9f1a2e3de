// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/Contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double linear(double component) {
    return component <= 0.04045 ? component / 12.92 : std::pow((component + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(const Rgba& colour) {
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

double contrastRatio(const Rgba& a, const Rgba& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgba badgeTextColour(const Rgba& background) {
    return contrastRatio(background, kBlack) >= contrastRatio(background, kWhite) ? kBlack : kWhite;
}
