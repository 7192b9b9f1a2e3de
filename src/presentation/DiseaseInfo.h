// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"
#include "presentation/IntensityLevel.h"

#include <optional>
#include <string>

// The five texts of a disease's information window.
struct DiseaseInfo {
    std::string name;
    std::string description;
    std::optional<IntensityLevel> gravity; // none: the label keeps its own text
    std::string frequency;                 // "12 out of 1000 patients have this disease"
    std::string symptoms;                  // names joined by ", "
};

// Orders the disease's own symptoms for display, highest intensity first and
// equal ones by name. The catalogue keeps this order from then on.
void orderSymptomsForDisplay(Disease& disease);

// Re-orders the symptoms as above, then makes the texts.
DiseaseInfo diseaseInfo(Disease& disease);

std::string frequencySentence(float frequency);

// How many in 1000 in words: the whole number, or "fewer than 1" for a rare
// disease that would otherwise read as one that nobody has.
std::string frequencyCount(float frequency);
