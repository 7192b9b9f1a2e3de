// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Finding a symptom without knowing its body region.

struct SymptomEntry {
    std::string name; // as the catalogue spells it first
    std::vector<std::size_t>
        organs;         // indices into kOrgans of the regions that offer it, in button order
    std::string folded; // searchForm(name)
};

// Every symptom name of the catalogue once, sorted as the organ lists sort.
std::vector<SymptomEntry> symptomIndex(const DiseaseList& diseases);

// The form names are searched in: case folded, accents and other marks
// removed, compatibility forms (ligatures, full-width letters) unfolded. Text
// that is not valid UTF-8 is only ASCII-lowered.
std::string searchForm(std::string_view text);

// The entries whose name holds `query` (in search form) anywhere, in index
// order. An empty or blank query finds nothing.
std::vector<std::size_t> findSymptoms(const std::vector<SymptomEntry>& index,
                                      std::string_view query);

// "Chest pain (Heart; Lungs)": the name with the regions a user sees on the
// buttons (some of which hold a comma).
std::string searchLabel(const SymptomEntry& entry);
