// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>

// An opaque colour, components 0 to 1.
struct Rgba {
    double red;
    double green;
    double blue;
    double alpha;

    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// One level of the five-level scale used for intensities and gravity.
struct IntensityLevel {
    float value;
    std::string_view word;
    Rgba colour;
};

inline constexpr std::array<IntensityLevel, 5> kIntensityLevels{{
    {20.0f, "Low", {0.2, 0.8, 0.2, 1.0}},
    {40.0f, "Moderate", {0.6, 0.8, 0.0, 1.0}},
    {60.0f, "High", {1.0, 200.0 / 255.0, 0.0, 1.0}},
    {80.0f, "Very High", {1.0, 0.6, 30.0 / 255.0, 1.0}},
    {100.0f, "Extremely High", {1.0, 0.2, 0.0, 1.0}},
}};

inline constexpr float kDefaultIntensity = 60.0f;

// The level whose value equals the intensity exactly; none between levels or for NaN.
std::optional<IntensityLevel> intensityLevelFor(float intensity);
