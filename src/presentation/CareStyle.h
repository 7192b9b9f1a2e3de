// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/Triage.h"
#include "presentation/Contrast.h"
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
