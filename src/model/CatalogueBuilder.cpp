// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CatalogueBuilder.h"

#include "model/CatalogueIndex.h"
#include "model/DatabaseTools.h"
#include "model/PlistReaders.h"

#include <algorithm>
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

namespace {

// FNV-1a: short names, and no need for more than an even spread.
std::uint32_t nameHash(std::string_view name) {
    std::uint32_t h = 2166136261u;
    for (const char c : name) {
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return h;
}

} // namespace

bool CatalogueBuilder::nameTaken(std::string_view name, std::uint32_t hash) const {
    if (nameSlots_.empty()) {
        return false;
    }
    const std::size_t mask = nameSlots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const auto [slotHash, disease] = nameSlots_[i];
        if (disease == 0) {
            return false;
        }
        if (slotHash == hash && diseases_[disease - 1]->name == name) {
            return true;
        }
    }
}

void CatalogueBuilder::rememberName(std::uint32_t hash, std::uint32_t disease) {
    // Kept at most half full, so probes stay short.
    if (2 * (diseases_.size() + 1) > nameSlots_.size()) {
        std::vector<std::pair<std::uint32_t, std::uint32_t>> old(
            std::max<std::size_t>(1024, 2 * nameSlots_.size()));
        old.swap(nameSlots_);
        const std::size_t mask = nameSlots_.size() - 1;
        for (const auto& slot : old) {
            if (slot.second != 0) {
                std::size_t i = slot.first & mask;
                while (nameSlots_[i].second != 0) {
                    i = (i + 1) & mask;
                }
                nameSlots_[i] = slot;
            }
        }
    }
    const std::size_t mask = nameSlots_.size() - 1;
    std::size_t i = hash & mask;
    while (nameSlots_[i].second != 0) {
        i = (i + 1) & mask;
    }
    nameSlots_[i] = {hash, disease + 1};
}

void CatalogueBuilder::beginDisease(std::string name) {
    currentHash_ = nameHash(name);
    const bool listedBefore = nameTaken(name, currentHash_);
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

const CatalogueBuilder::SymptomText& CatalogueBuilder::symptomText(std::string_view name) {
    if (const auto found = symptomTexts_.find(name); found != symptomTexts_.end()) {
        return found->second;
    }
    auto text = std::make_shared<const std::string>(name);
    const std::string_view key = *text;
    const std::uint32_t id = index_->names.intern(key);
    return symptomTexts_.emplace(key, SymptomText{std::move(text), id}).first->second;
}

void CatalogueBuilder::beginSymptoms() {
    pending_.clear();
    pendingSeen_.clear();
}

void CatalogueBuilder::addSymptom(std::string_view name, float intensity) {
    const SymptomText* text = &symptomText(name);
    // A disease has a handful of symptoms, so a scan finds a repeat faster
    // than hashing; a long list gets a set.
    constexpr std::size_t kScanLimit = 16;
    bool repeated = false;
    if (pending_.size() < kScanLimit) {
        for (const auto& p : pending_) {
            repeated = repeated || p.name == text;
        }
    } else {
        if (pendingSeen_.empty()) {
            for (const auto& p : pending_) {
                pendingSeen_.insert(p.name);
            }
        }
        repeated = !pendingSeen_.insert(text).second;
    }
    if (repeated) {
        symptomListedTwice(std::string(name));
    }
    pending_.push_back({text, intensity});
}

SymptomList CatalogueBuilder::endSymptoms() {
    SymptomList list;
    list.reserve(pending_.size());
    for (const auto& p : pending_) {
        list.push_back(symptomArena_.make(p.name->text, p.intensity, p.name->id));
    }
    pending_.clear();
    pendingSeen_.clear();
    return list;
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
    diseases_.push_back(diseaseArena_.make(
        std::move(current_), std::move(description_->text), frequency_->number, gravity_->number,
        std::move(organ_->text), std::move(symptoms_->symptoms)));
    Disease& d = *diseases_.back();
    d.sex = std::move(sex_);
    d.ages = std::move(ages_);
    // A record takes far more than four bytes, so positions fit.
    rememberName(currentHash_, static_cast<std::uint32_t>(diseases_.size() - 1));
}

DiseaseList CatalogueBuilder::take() {
    fillIndex(index_, diseases_);
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
