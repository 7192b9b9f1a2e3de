// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <string>
#include <utility>
#include <vector>

// What a catalogue author must fix, and a short summary of what is there.
struct CatalogueReport {
    std::vector<std::string> problems;
    std::vector<std::pair<std::string, int>> diseasesPerOrgan; // the eleven organs, in button order
    int distinctSymptoms = 0;
};

CatalogueReport checkCatalogue(const DiseaseList& diseases);
