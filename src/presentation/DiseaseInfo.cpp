// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/DiseaseInfo.h"

#include "model/CatalogueIndex.h"
#include "model/Names.h"
#include "model/NumberText.h"

#include <algorithm>

void orderSymptomsForDisplay(Disease& disease) {
    auto& list = disease.symptoms;
    std::stable_sort(list.begin(), list.end(), [](const SymptomPtr& a, const SymptomPtr& b) {
        return nameLess(a->name(), b->name());
    });
    std::stable_sort(list.begin(), list.end(), [](const SymptomPtr& a, const SymptomPtr& b) {
        return a->intensity > b->intensity;
    });
    symptomsReordered(disease);
}

std::string frequencyCount(float frequency) {
    const std::string count = formatFixed(static_cast<double>(frequency), 0);
    // A rare disease is not one that nobody has, as "0 out of 1000" would say.
    return frequency > 0.0f && count == "0" ? "fewer than 1" : count;
}

std::string frequencySentence(float frequency) {
    return frequencyCount(frequency) + " out of 1000 patients have this disease";
}

DiseaseInfo diseaseInfo(Disease& disease) {
    orderSymptomsForDisplay(disease);
    DiseaseInfo info{disease.name,
                     disease.desc,
                     intensityLevelFor(disease.gravity),
                     frequencySentence(disease.frequency),
                     {}};
    for (std::size_t i = 0; i < disease.symptoms.size(); ++i) {
        info.symptoms += (i ? ", " : "") + disease.symptoms[i]->name();
    }
    return info;
}
