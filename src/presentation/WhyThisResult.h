// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Explanation.h"

#include <string>
#include <vector>

// "Why this result", in words for a patient: the same in the information
// window, the terminal and the report.
struct WhyThisResult {
    std::string summary; // how many of its symptoms you have, and the total
    std::vector<std::string>
        matched;         // "Cough: you entered High, typical is Very High — 18.0 of 76.0 points"
    std::string missing; // its typical symptoms you did not enter
    std::string frequency; // what how common it is added
};

WhyThisResult whyThisResult(const Explanation& explanation, float frequency);

// The texts as lines, in reading order, each matched symptom after `bullet`.
std::vector<std::string> whyLines(const WhyThisResult& why, const std::string& bullet);

// An intensity as its level word, or the number where it is between levels.
std::string intensityWords(float intensity);

// One decimal, point as separator: how points are shown to a patient.
std::string pointsText(float points);
