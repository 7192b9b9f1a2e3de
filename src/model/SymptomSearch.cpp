// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SymptomSearch.h"

#include "model/Names.h"
#include "model/Organs.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>
#include <utf8proc.h>

std::string searchForm(std::string_view text) {
    utf8proc_uint8_t* folded = nullptr;
    const auto options = static_cast<utf8proc_option_t>(UTF8PROC_COMPOSE | UTF8PROC_COMPAT |
                                                        UTF8PROC_CASEFOLD | UTF8PROC_STRIPMARK);
    const utf8proc_ssize_t length =
        utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(text.data()),
                     static_cast<utf8proc_ssize_t>(text.size()), &folded, options);
    if (length < 0) {
        std::string lowered(text);
        std::transform(lowered.begin(), lowered.end(), lowered.begin(), [](unsigned char c) {
            return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        });
        return lowered;
    }
    std::string result(reinterpret_cast<const char*>(folded), static_cast<std::size_t>(length));
    std::free(folded);
    return result;
}

std::vector<SymptomEntry> symptomIndex(const DiseaseList& diseases) {
    std::vector<SymptomEntry> index;
    std::unordered_map<std::string, std::size_t> byKey;
    for (const auto& disease : diseases) {
        std::size_t organ = kOrgans.size();
        for (std::size_t i = 0; i < kOrgans.size(); ++i) {
            if (namesEqual(disease->organ, kOrgans[i].key)) {
                organ = i;
                break;
            }
        }
        for (const auto& symptom : disease->symptoms) {
            auto [at, added] = byKey.try_emplace(nameKey(symptom->name()), index.size());
            if (added) {
                index.push_back({symptom->name(), {}, searchForm(symptom->name())});
            }
            auto& organs = index[at->second].organs;
            if (organ < kOrgans.size() &&
                std::find(organs.begin(), organs.end(), organ) == organs.end()) {
                organs.push_back(organ);
            }
        }
    }
    for (auto& entry : index) {
        std::sort(entry.organs.begin(), entry.organs.end());
    }
    std::stable_sort(index.begin(), index.end(), [](const SymptomEntry& a, const SymptomEntry& b) {
        return nameLess(a.name, b.name);
    });
    return index;
}

std::vector<std::size_t> findSymptoms(const std::vector<SymptomEntry>& index,
                                      std::string_view query) {
    std::string wanted = searchForm(query);
    const auto first = wanted.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = wanted.find_last_not_of(" \t");
    wanted = wanted.substr(first, last - first + 1);
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < index.size(); ++i) {
        if (index[i].folded.find(wanted) != std::string::npos) {
            found.push_back(i);
        }
    }
    return found;
}

std::string searchLabel(const SymptomEntry& entry) {
    std::string label = entry.name;
    if (entry.organs.empty()) {
        return label;
    }
    label += " (";
    for (std::size_t i = 0; i < entry.organs.size(); ++i) {
        label += (i ? "; " : "") + std::string(kOrgans[entry.organs[i]].tooltip);
    }
    return label + ")";
}
