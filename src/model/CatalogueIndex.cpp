// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CatalogueIndex.h"

void fillIndex(const std::shared_ptr<CatalogueIndex>& index, const DiseaseList& diseases,
               const IdChange& change) {
    index->diseases.reserve(diseases.size());
    index->frequency.reserve(diseases.size());
    index->first.reserve(diseases.size() + 1);
    std::size_t total = 0;
    for (const auto& d : diseases) {
        total += d->symptoms.size();
    }
    if (total >= UINT32_MAX) {
        index->stale = true; // the offsets could not say where each disease begins
    } else {
        index->entries.reserve(total);
    }
    for (std::size_t i = 0; i < diseases.size(); ++i) {
        Disease& d = *diseases[i];
        index->diseases.push_back(&d);
        index->frequency.push_back(d.frequency);
        index->first.push_back(static_cast<std::uint32_t>(index->entries.size()));
        const bool changing = i >= change.from && !change.ids.empty();
        for (const auto& s : d.symptoms) {
            if (changing) {
                s->nameId = change.ids[s->nameId];
            }
            if (!index->stale) {
                index->entries.push_back({s->nameId, s->intensity});
            }
        }
        d.index = index;
        d.indexSlot = static_cast<std::uint32_t>(i);
    }
    index->first.push_back(static_cast<std::uint32_t>(index->entries.size()));
}

void indexCatalogue(const DiseaseList& diseases) {
    auto index = std::make_shared<CatalogueIndex>();
    for (const auto& d : diseases) {
        for (const auto& s : d->symptoms) {
            s->nameId = index->names.intern(s->name());
        }
    }
    fillIndex(index, diseases, {0, {}});
}

void symptomsReordered(const Disease& disease) {
    CatalogueIndex* index = disease.index.get();
    if (!index || index->stale) {
        return;
    }
    const std::uint32_t slot = disease.indexSlot;
    if (slot >= index->diseases.size() || index->diseases[slot] != &disease ||
        index->first[slot + 1] - index->first[slot] != disease.symptoms.size()) {
        index->stale = true;
        return;
    }
    auto* entry = index->entries.data() + index->first[slot];
    for (const auto& s : disease.symptoms) {
        if (s->nameId == kNoNameId) {
            index->stale = true;
            return;
        }
        *entry++ = {s->nameId, s->intensity};
    }
}
