// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/LargeBlocks.h"
#include "model/SymptomNames.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The three domain records. They hold data only and are shared: one object may
// sit in several lists, and a change made through one holder is seen by all.

struct CatalogueIndex;

struct Symptom {
    float intensity;
    // The name's id in its catalogue's SymptomNames; records made by hand
    // have none.
    std::uint32_t nameId = kNoNameId;

    Symptom(std::string name, float intensity)
        : intensity(intensity), name_(std::make_shared<const std::string>(std::move(name))) {}
    // A name shared with other records: a catalogue holds each of its names once.
    Symptom(std::shared_ptr<const std::string> name, float intensity, std::uint32_t nameId)
        : intensity(intensity), nameId(nameId), name_(std::move(name)) {}

    const std::string& name() const { return *name_; }

private:
    // Never null, and never changed once made.
    std::shared_ptr<const std::string> name_;
};

using SymptomPtr = std::shared_ptr<Symptom>;
using SymptomList = std::vector<SymptomPtr>;

struct Disease {
    std::string name;
    std::string desc;
    float frequency;
    float gravity;
    std::string organ;
    SymptomList symptoms;
    // Who the condition can affect, from the catalogue's optional "Sex" and
    // "Ages" keys; empty means everyone. Only the extras read them, and
    // `sanoria-cli check` validates them.
    std::string sex;
    std::vector<std::string> ages;
    // The index of the catalogue the disease was loaded with, which holds the
    // table the ids of `symptoms` come from; none for records made by hand.
    std::shared_ptr<CatalogueIndex> index;
    std::uint32_t indexSlot = 0;

    Disease(std::string name, std::string desc, float frequency, float gravity, std::string organ,
            SymptomList symptoms)
        : name(std::move(name)), desc(std::move(desc)), frequency(frequency), gravity(gravity),
          organ(std::move(organ)), symptoms(std::move(symptoms)) {}
};

using DiseasePtr = std::shared_ptr<Disease>;
using DiseaseList = std::vector<DiseasePtr>;

struct Diagnostic {
    DiseasePtr disease;
    float probability;
    float score = 0.0f;

    Diagnostic(DiseasePtr disease, float probability)
        : disease(std::move(disease)), probability(probability) {}
};

using DiagnosticPtr = std::shared_ptr<Diagnostic>;
using DiagnosticList = std::vector<DiagnosticPtr>;

inline SymptomPtr makeSymptom(std::string name, float intensity) {
    return std::make_shared<Symptom>(std::move(name), intensity);
}

// Records made together, kept side by side in one allocation: a scan over a
// large catalogue touches fewer cache lines, and a large result costs one
// allocation instead of thousands. Each pointer shares ownership of the whole
// group, so every one of them stays valid for as long as it is held.
template <typename T> std::vector<std::shared_ptr<T>> shareEach(std::vector<T> group) {
    auto block = std::make_shared<std::vector<T>>(std::move(group));
    std::vector<std::shared_ptr<T>> list;
    list.reserve(block->size());
    for (T& item : *block) {
        list.push_back(std::shared_ptr<T>(block, &item));
    }
    return list;
}

// Records made one after another, kept in large blocks: loading a catalogue
// then costs a few hundred allocations instead of one per record. As with
// shareEach, each pointer shares ownership of its block.
template <typename T> class RecordArena {
public:
    template <typename... Args> std::shared_ptr<T> make(Args&&... args) {
        if (!block_ || block_->size() == block_->capacity()) {
            // Small catalogues take small blocks; large ones soon get blocks
            // the size of a large page.
            const std::size_t next = block_ ? std::min(2 * block_->capacity(), kLargestBlock) : 64;
            block_ = std::make_shared<Block>();
            block_->reserve(next);
        }
        block_->emplace_back(std::forward<Args>(args)...);
        return std::shared_ptr<T>(block_, &block_->back());
    }

private:
    using Block = std::vector<T, LargeBlockAllocator<T>>;
    static constexpr std::size_t kLargestBlock = std::max<std::size_t>(1, kLargePage / sizeof(T));
    std::shared_ptr<Block> block_;
};
