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
#include <unordered_map>
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

    DiseaseList take();

private:
    // One distinct symptom name, exactly as written: its text, shared by
    // every symptom that carries it, and its id in the index.
    struct SymptomText {
        std::shared_ptr<const std::string> text;
        std::uint32_t id;
    };
    struct PendingSymptom {
        const SymptomText* name;
        float intensity;
    };

    bool nameTaken(std::string_view name, std::uint32_t hash) const;
    void rememberName(std::uint32_t hash, std::uint32_t disease);
    const SymptomText& symptomText(std::string_view name);

    std::string origin_;
    DiseaseList diseases_;
    // Its names are interned as the symptoms arrive; the rest is filled in
    // at the end, when the size is known.
    std::shared_ptr<CatalogueIndex> index_ = std::make_shared<CatalogueIndex>();
    RecordArena<Disease> diseaseArena_;
    RecordArena<Symptom> symptomArena_;
    // Disease names taken so far, open addressing: each slot holds a name's
    // hash and its disease's position plus one. Keeping the hash beside the
    // position spares a visit to the record on almost every probe.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> nameSlots_;
    std::uint32_t currentHash_ = 0;
    // Keyed by views of the texts it holds, which never move.
    std::unordered_map<std::string_view, SymptomText> symptomTexts_;
    std::vector<PendingSymptom> pending_;
    std::unordered_set<const SymptomText*> pendingSeen_; // for long lists only
    std::string current_;
    // The five keys the catalogue requires, one bit each; any other key goes in
    // the set, which real catalogues leave empty.
    unsigned knownKeysSeen_ = 0;
    std::unordered_set<std::string> otherKeysSeen_;
    std::optional<PlistValue> description_, frequency_, gravity_, organ_, symptoms_;
    std::string sex_;
    std::vector<std::string> ages_;
};
