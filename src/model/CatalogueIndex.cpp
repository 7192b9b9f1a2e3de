// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CatalogueIndex.h"

#include <future>
#include <system_error>

void fillIndex(const std::shared_ptr<CatalogueIndex>& index, const DiseaseList& diseases,
               const IdChange& change) {
    const std::size_t count = diseases.size();
    index->diseases.resize(count);
    index->frequency.resize(count);
    index->first.resize(count + 1);
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < count; ++i) {
        index->first[i] = static_cast<std::uint32_t>(total);
        total += diseases[i]->symptoms.size();
    }
    if (total >= UINT32_MAX) {
        index->stale = true; // the offsets could not say where each disease begins
    } else {
        index->first[count] = static_cast<std::uint32_t>(total);
        index->entries.resize(static_cast<std::size_t>(total));
    }
    // Each range writes only its own slots, so two can be filled at once.
    const auto fill = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            Disease& d = *diseases[i];
            index->diseases[i] = &d;
            index->frequency[i] = d.frequency;
            const bool changing = i >= change.from && !change.ids.empty();
            CatalogueIndex::Entry* entry =
                index->stale ? nullptr : index->entries.data() + index->first[i];
            for (const auto& s : d.symptoms) {
                if (changing) {
                    s->nameId = change.ids[s->nameId];
                }
                if (entry) {
                    *entry++ = {s->nameId, s->intensity};
                }
            }
            d.indexSlot = static_cast<std::uint32_t>(i);
        }
    };
    // A large catalogue is filled on two threads when it can be; the work
    // is the same either way.
    constexpr std::size_t kTwoThreadsFrom = 20000;
    std::future<void> other;
    if (count >= kTwoThreadsFrom) {
        try {
            other = std::async(std::launch::async, fill, count / 2, count);
        } catch (const std::system_error&) {
        }
    }
    fill(0, other.valid() ? count / 2 : count);
    if (other.valid()) {
        other.get();
    }
    // One thread only: the count of the index's owners is shared by all.
    for (const auto& d : diseases) {
        d->index = index;
    }
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
