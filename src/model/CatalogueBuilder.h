// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <cstddef>
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

class CatalogueBuilder {
public:
    explicit CatalogueBuilder(std::string origin) : origin_(std::move(origin)) {}

    void beginDisease(std::string name);
    // The disease's value is not a dictionary.
    [[noreturn]] void diseaseNotDictionary(const std::string& typeName) const;
    void field(const std::string& key, PlistValue value);
    void endDisease();

    // A symptom inside "Symptoms" whose value is no number.
    [[noreturn]] void symptomNotNumber(const std::string& symptom,
                                       const std::string& typeName) const;
    [[noreturn]] void symptomListedTwice(const std::string& symptom) const;

    [[noreturn]] void fail(const std::string& what) const;
    [[noreturn]] void failInDisease(const std::string& what) const;

    DiseaseList take();

private:
    std::string origin_;
    DiseaseList diseases_;
    // Views of the names held by the records built so far: no second copy of
    // every name.
    std::unordered_set<std::string_view> names_;
    std::string current_;
    // The five keys the catalogue requires, one bit each; any other key goes in
    // the set, which real catalogues leave empty.
    unsigned knownKeysSeen_ = 0;
    std::unordered_set<std::string> otherKeysSeen_;
    std::optional<PlistValue> description_, frequency_, gravity_, organ_, symptoms_;
    std::string sex_;
    std::vector<std::string> ages_;
};
