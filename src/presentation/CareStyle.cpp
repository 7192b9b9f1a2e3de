// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "presentation/CareStyle.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Rgba hex(unsigned value) {
    return {((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0,
            1.0};
}

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

CareStyle careStyleFor(CareLevel level) {
    switch (level) {
    case CareLevel::Emergency:
        return {hex(0xB3261E), hex(0xFFFFFF), "care-emergency.svg"};
    case CareLevel::Urgent:
        return {hex(0xFFE3C2), hex(0x5C2B00), "care-urgent.svg"};
    case CareLevel::Doctor:
        return {hex(0xDCEAFB), hex(0x0B3A66), "care-doctor.svg"};
    case CareLevel::SelfCare:
        break;
    }
    return {hex(0xDDF3E0), hex(0x14532D), "care-self-care.svg"};
}

double relativeLuminance(const Rgba& colour) {
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

double contrastRatio(const Rgba& a, const Rgba& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
