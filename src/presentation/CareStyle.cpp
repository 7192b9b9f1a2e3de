// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "presentation/CareStyle.h"

namespace {

constexpr Rgba hex(unsigned value) {
    return {((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0,
            1.0};
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
