// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CatalogueIndex.h"
#include "model/Records.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// Collects what a catalogue reader finds, checks each disease the way the
// catalogue requires, and makes the records. Both property-list forms feed it.

// The value of one key of a disease dictionary, as far as the loader cares.
struct PlistValue {
    enum class Type { String, Number, SymptomDict, StringArray, Other };
    Type type = Type::Other;
    std::string text;               // String
    float number = 0.0f;            // Number
    SymptomList symptoms;           // SymptomDict
    std::vector<std::string> items; // StringArray: an array that holds only strings
    std::string typeName;           // the property-list type, for messages
};

// Positions of records by the hash of their name, open addressing: a slot
// holds the hash beside the position, so a probe seldom has to visit the
// record itself. The caller's records hold the names.
class HashedPositions {
public:
    // The position whose record `isMatch` accepts, among those with this hash.
    template <typename Match>
    std::optional<std::uint32_t> find(std::uint32_t hash, Match isMatch) const {
        if (slots_.empty()) {
            return std::nullopt;
        }
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask; slots_[i].position != 0; i = (i + 1) & mask) {
            if (slots_[i].hash == hash && isMatch(slots_[i].position - 1)) {
                return slots_[i].position - 1;
            }
        }
        return std::nullopt;
    }
    void insert(std::uint32_t hash, std::uint32_t position);

private:
    struct Slot {
        std::uint32_t hash;
        std::uint32_t position; // plus one; zero is a free slot
    };
    void place(Slot slot);
    void grow(std::size_t slots);
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

class CatalogueBuilder {
public:
    explicit CatalogueBuilder(std::string origin) : origin_(std::move(origin)) {}

    void beginDisease(std::string name);
    // The disease's value is not a dictionary.
    [[noreturn]] void diseaseNotDictionary(const std::string& typeName) const;
    void field(const std::string& key, PlistValue value);
    void endDisease();

    // The symptoms of one "Symptoms" dictionary, in their order; a repeated
    // name is refused.
    void beginSymptoms();
    void addSymptom(std::string_view name, float intensity);
    SymptomList endSymptoms();

    // A symptom inside "Symptoms" whose value is no number.
    [[noreturn]] void symptomNotNumber(const std::string& symptom,
                                       const std::string& typeName) const;
    [[noreturn]] void symptomListedTwice(const std::string& symptom) const;

    [[noreturn]] void fail(const std::string& what) const;
    [[noreturn]] void failInDisease(const std::string& what) const;

    // Takes over the diseases another builder read from the rest of the same
    // file, as if they had come here. False, with nothing taken, when one of
    // their names is taken here already. It ends the building: only take()
    // may follow, and `rest` must not have taken over any itself.
    bool append(CatalogueBuilder&& rest);

    DiseaseList take();

private:
    // One distinct symptom name, exactly as written: its text, shared by
    // every symptom that carries it, and its id in the index.
    struct SymptomText {
        std::shared_ptr<const std::string> text;
        std::uint32_t id;
    };
    struct PendingSymptom {
        std::uint32_t text; // position in symptomTexts_
        float intensity;
    };

    std::uint32_t symptomText(std::string_view name);

    std::string origin_;
    DiseaseList diseases_;
    // Its names are interned as the symptoms arrive; the rest is filled in
    // at the end, when the size is known.
    std::shared_ptr<CatalogueIndex> index_ = std::make_shared<CatalogueIndex>();
    RecordArena<Disease> diseaseArena_;
    RecordArena<Symptom> symptomArena_;
    HashedPositions diseaseNames_; // into diseases_
    // Diseases taken over from a builder of the file's second half, from
    // `appendedFrom` on, still carry that builder's ids: `appendedIds` maps
    // them to this one's as the index is filled.
    std::size_t appendedFrom_ = 0;
    std::vector<std::uint32_t> appendedIds_;
    std::uint32_t currentHash_ = 0;
    // Each distinct symptom name once, exactly as written.
    std::vector<SymptomText> symptomTexts_;
    HashedPositions symptomTextNames_; // into symptomTexts_
    std::vector<PendingSymptom> pending_;
    std::unordered_set<std::uint32_t> pendingSeen_; // for long lists only
    std::string current_;
    // The five keys the catalogue requires, one bit each; any other key goes in
    // the set, which real catalogues leave empty.
    unsigned knownKeysSeen_ = 0;
    std::unordered_set<std::string> otherKeysSeen_;
    std::optional<PlistValue> description_, frequency_, gravity_, organ_, symptoms_;
    std::string sex_;
    std::vector<std::string> ages_;
};
