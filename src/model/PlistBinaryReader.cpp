// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PlistReaders.h"

#include <plist/plist.h>

#include <cstdlib>
#include <limits>
#include <memory>
#include <unordered_set>

// Binary property lists go through libplist. Its numbers are binary already,
// so a real becomes the float nearest its double value.

namespace {

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

std::string typeName(plist_t node) {
    switch (plist_get_node_type(node)) {
    case PLIST_DICT:
        return "a dictionary";
    case PLIST_ARRAY:
        return "an array";
    case PLIST_STRING:
        return "a string";
    case PLIST_BOOLEAN:
        return "a boolean";
    case PLIST_UINT:
    case PLIST_REAL:
        return "a number";
    case PLIST_DATA:
        return "a data";
    case PLIST_DATE:
        return "a date";
    default:
        return "a value of another kind";
    }
}

bool number(plist_t node, float* out) {
    if (plist_get_node_type(node) == PLIST_REAL) {
        double value = 0;
        plist_get_real_val(node, &value);
        *out = static_cast<float>(value);
        return true;
    }
    if (plist_get_node_type(node) == PLIST_UINT) {
        // Negative integers come back as their two's complement.
        std::uint64_t value = 0;
        plist_get_uint_val(node, &value);
        const auto signedValue = static_cast<std::int64_t>(value);
        *out = signedValue < 0 ? static_cast<float>(signedValue) : static_cast<float>(value);
        return true;
    }
    return false;
}

std::string stringValue(plist_t node) {
    char* raw = nullptr;
    plist_get_string_val(node, &raw);
    std::string text = raw ? raw : "";
    std::free(raw);
    return text;
}

// Calls `visit(key, value)` for each entry of a dictionary, in its order.
template <typename Visit> void forEachEntry(plist_t dict, Visit visit) {
    plist_dict_iter raw = nullptr;
    plist_dict_new_iter(dict, &raw);
    const std::unique_ptr<void, decltype(&std::free)> iter(raw, &std::free);
    for (;;) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(dict, iter.get(), &key, &value);
        if (!key) {
            break;
        }
        std::string name(key);
        std::free(key);
        visit(std::move(name), value);
    }
}

} // namespace

void readBinaryCatalogue(std::string_view bytes, CatalogueBuilder& builder) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        builder.fail("the file is too large");
    }
    plist_t raw = nullptr;
    plist_from_bin(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &raw);
    const PlistPtr root(raw);
    if (!root) {
        builder.fail("not a valid binary property list");
    }
    if (plist_get_node_type(root.get()) != PLIST_DICT) {
        builder.fail("the root is " + typeName(root.get()) + ", not a dictionary");
    }
    forEachEntry(root.get(), [&](std::string name, plist_t disease) {
        builder.beginDisease(std::move(name));
        if (plist_get_node_type(disease) != PLIST_DICT) {
            builder.diseaseNotDictionary(typeName(disease));
        }
        forEachEntry(disease, [&](std::string key, plist_t node) {
            PlistValue value;
            value.typeName = typeName(node);
            if (plist_get_node_type(node) == PLIST_STRING) {
                value.type = PlistValue::Type::String;
                value.text = stringValue(node);
            } else if (number(node, &value.number)) {
                value.type = PlistValue::Type::Number;
            } else if (key == "Symptoms" && plist_get_node_type(node) == PLIST_DICT) {
                value.type = PlistValue::Type::SymptomDict;
                std::unordered_set<std::string> seen;
                std::vector<Symptom> group;
                forEachEntry(node, [&](std::string symptom, plist_t intensity) {
                    if (!seen.insert(symptom).second) {
                        builder.symptomListedTwice(symptom);
                    }
                    float v = 0;
                    if (!number(intensity, &v)) {
                        builder.symptomNotNumber(symptom, typeName(intensity));
                    }
                    group.emplace_back(std::move(symptom), v);
                });
                value.symptoms = shareEach(std::move(group));
            } else if (plist_get_node_type(node) == PLIST_ARRAY) {
                value.type = PlistValue::Type::StringArray;
                const std::uint32_t size = plist_array_get_size(node);
                for (std::uint32_t i = 0; i < size; ++i) {
                    const plist_t item = plist_array_get_item(node, i);
                    if (plist_get_node_type(item) != PLIST_STRING) {
                        value.type = PlistValue::Type::Other;
                        value.items.clear();
                        break;
                    }
                    value.items.push_back(stringValue(item));
                }
            }
            builder.field(key, std::move(value));
        });
        builder.endDisease();
    });
}
