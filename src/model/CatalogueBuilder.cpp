// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CatalogueBuilder.h"

#include "model/CatalogueIndex.h"
#include "model/DatabaseTools.h"
#include "model/PlistReaders.h"

#include <charconv>
#include <cstdint>

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

void CatalogueBuilder::fail(const std::string& what) const {
    throw CatalogueError(origin_ + ": " + what);
}

void CatalogueBuilder::failInDisease(const std::string& what) const {
    fail("disease " + quoted(current_) + ": " + what);
}

void CatalogueBuilder::beginDisease(std::string name) {
    const bool listedBefore = names_.count(name) != 0;
    current_ = std::move(name);
    if (listedBefore) {
        failInDisease("listed twice");
    }
    knownKeysSeen_ = 0;
    otherKeysSeen_.clear();
    description_.reset();
    frequency_.reset();
    gravity_.reset();
    organ_.reset();
    symptoms_.reset();
    sex_.clear();
    ages_.clear();
}

namespace {

// An extra of the wrong kind is kept as a value no check accepts, so that
// `check` reports it while the load itself ignores it.
std::string wrongKind(const PlistValue& value) {
    return "<" + value.typeName + ">";
}

} // namespace

void CatalogueBuilder::diseaseNotDictionary(const std::string& typeName) const {
    failInDisease("the value is " + typeName + ", not a dictionary");
}

void CatalogueBuilder::field(const std::string& key, PlistValue value) {
    std::optional<PlistValue>* slots[] = {&description_, &frequency_, &gravity_, &organ_,
                                          &symptoms_};
    const char* names[] = {"Description", "Frequency", "Gravity", "Organ", "Symptoms"};
    for (unsigned i = 0; i < 5; ++i) {
        if (key == names[i]) {
            if (knownKeysSeen_ & (1u << i)) {
                failInDisease("key " + quoted(key) + " appears twice");
            }
            knownKeysSeen_ |= 1u << i;
            *slots[i] = std::move(value);
            return;
        }
    }
    if (!otherKeysSeen_.insert(key).second) {
        failInDisease("key " + quoted(key) + " appears twice");
    }
    if (key == "Sex") {
        sex_ = value.type == PlistValue::Type::String ? std::move(value.text) : wrongKind(value);
    } else if (key == "Ages") {
        ages_ = value.type == PlistValue::Type::StringArray ? std::move(value.items)
                                                            : std::vector{wrongKind(value)};
    }
}

void CatalogueBuilder::symptomNotNumber(const std::string& symptom,
                                        const std::string& typeName) const {
    failInDisease("key \"Symptoms\": symptom " + quoted(symptom) + " has " + typeName +
                  " as its intensity, not a number");
}

void CatalogueBuilder::symptomListedTwice(const std::string& symptom) const {
    failInDisease("key \"Symptoms\": symptom " + quoted(symptom) + " is listed twice");
}

void CatalogueBuilder::endDisease() {
    struct Required {
        const char* key;
        std::optional<PlistValue>& value;
        PlistValue::Type type;
        const char* typeWord;
    };
    const Required required[] = {
        {"Description", description_, PlistValue::Type::String, "a string"},
        {"Frequency", frequency_, PlistValue::Type::Number, "a number"},
        {"Gravity", gravity_, PlistValue::Type::Number, "a number"},
        {"Organ", organ_, PlistValue::Type::String, "a string"},
        {"Symptoms", symptoms_, PlistValue::Type::SymptomDict, "a dictionary"},
    };
    for (const auto& r : required) {
        if (!r.value) {
            failInDisease("key " + quoted(r.key) + " is missing");
        }
        if (r.value->type != r.type) {
            failInDisease("key " + quoted(r.key) + " holds " + r.value->typeName + ", not " +
                          r.typeWord);
        }
    }
    diseases_.push_back(std::make_shared<Disease>(
        std::move(current_), std::move(description_->text), frequency_->number, gravity_->number,
        std::move(organ_->text), std::move(symptoms_->symptoms)));
    diseases_.back()->sex = std::move(sex_);
    diseases_.back()->ages = std::move(ages_);
    names_.insert(diseases_.back()->name);
}

DiseaseList CatalogueBuilder::take() {
    names_.clear(); // its views point into the records handed over
    indexCatalogue(diseases_);
    return std::move(diseases_);
}

bool parsePlistInteger(std::string_view digits, float* out) {
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        digits.remove_prefix(1);
    }
    std::uint64_t magnitude = 0;
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (digits.empty() || r.ec != std::errc() || r.ptr != digits.data() + digits.size() ||
        (negative && magnitude > (std::uint64_t{1} << 63))) {
        return false;
    }
    const float value = static_cast<float>(magnitude);
    *out = negative ? -value : value;
    return true;
}
