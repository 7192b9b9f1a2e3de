// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/LargeBlocks.h"
#include "model/Records.h"
#include "model/SymptomNames.h"

#include <cstdint>
#include <memory>
#include <vector>

// What the diagnosis reads of a whole catalogue, side by side in memory: each
// disease's frequency and, in its list order, the name ids and intensities of
// its symptoms. Scanning a few megabytes in order is far quicker than walking
// the records one pointer at a time. The records stay what counts: the index
// is made from them, and the one place that re-orders a disease's symptoms
// (the information window) writes the new order back here.
struct CatalogueIndex {
    struct Entry {
        std::uint32_t nameId;
        float intensity;
    };
    SymptomNames names;
    template <typename T> using Array = std::vector<T, LargeBlockAllocator<T>>;
    Array<const Disease*> diseases; // the catalogue's order
    Array<float> frequency;
    Array<std::uint32_t> first; // where each disease's entries begin; one more at the end
    Array<Entry> entries;
    // Set when the records no longer match; the diagnosis then reads the records.
    bool stale = false;
};

// Gives every symptom of the catalogue the id of its name and builds the
// index, shared by all its diseases. Catalogues made by hand work without it,
// only slower.
void indexCatalogue(const DiseaseList& diseases);

// Ids to change while the index is filled: those of the symptoms of the
// diseases from `from` on become `ids[id]`. Empty `ids` change nothing.
struct IdChange {
    std::size_t from = 0;
    const std::vector<std::uint32_t>& ids;
};

// Builds the index of diseases whose symptoms already carry the ids of the
// index's names, or will once `change` is made.
void fillIndex(const std::shared_ptr<CatalogueIndex>& index, const DiseaseList& diseases,
               const IdChange& change);

// Brings the index up to date after the disease's symptoms were re-ordered.
void symptomsReordered(const Disease& disease);
