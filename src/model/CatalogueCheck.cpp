// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CatalogueCheck.h"

#include "model/Names.h"
#include "model/NumberText.h"
#include "model/Organs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <utf8proc.h>

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool onScale(float value) {
    return value == 20.0f || value == 40.0f || value == 60.0f || value == 80.0f || value == 100.0f;
}

bool within(float value, float low, float high) {
    return value >= low && value <= high;
}

std::string number(float value) {
    return formatShortest(value);
}

// Folds case and trims white space, so names that a person would take for the
// same symptom land on the same key.
std::string looseKey(const std::string& name) {
    std::string canonical = canonicalName(name);
    const auto first = canonical.find_first_not_of(" \t\r\n\v\f");
    const auto last = canonical.find_last_not_of(" \t\r\n\v\f");
    canonical = first == std::string::npos ? "" : canonical.substr(first, last - first + 1);
    utf8proc_uint8_t* folded = nullptr;
    const auto length = utf8proc_map(
        reinterpret_cast<const utf8proc_uint8_t*>(canonical.data()),
        static_cast<utf8proc_ssize_t>(canonical.size()), &folded,
        static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE | UTF8PROC_CASEFOLD));
    if (length < 0) {
        return canonical;
    }
    std::string key(reinterpret_cast<const char*>(folded), static_cast<std::size_t>(length));
    std::free(folded);
    return key;
}

std::string joinQuoted(const std::set<std::string>& names) {
    std::string text;
    for (const auto& n : names) {
        text += (text.empty() ? "" : ", ") + quoted(n);
    }
    return text;
}

} // namespace

CatalogueReport checkCatalogue(const DiseaseList& diseases) {
    CatalogueReport report;
    auto& problems = report.problems;
    std::map<std::string, std::set<std::string>> byCanonical;
    std::map<std::string, std::map<std::string, std::string>> byLooseKey; // key, name

    for (const auto& d : diseases) {
        const std::string who = "disease " + quoted(d->name) + ": ";
        if (!onScale(d->gravity)) {
            problems.push_back(who + "gravity " + number(d->gravity) +
                               " is not one of 20, 40, 60, 80, 100");
        }
        if (!within(d->frequency, 0.0f, 1000.0f)) {
            problems.push_back(who + "frequency " + number(d->frequency) + " is outside 0 to 1000");
        }
        const bool knownOrgan = std::any_of(kOrgans.begin(), kOrgans.end(), [&](const Organ& o) {
            return namesEqual(d->organ, o.key);
        });
        if (!knownOrgan) {
            problems.push_back(who + "organ " + quoted(d->organ) + " is none of the eleven organs");
        }
        if (!d->sex.empty() && d->sex != "female" && d->sex != "male") {
            problems.push_back(who + "Sex " + quoted(d->sex) +
                               " is neither \"female\" nor \"male\"");
        }
        for (const auto& age : d->ages) {
            if (age != "baby" && age != "child" && age != "adult" && age != "older") {
                problems.push_back(who + "Ages holds " + quoted(age) +
                                   ", none of \"baby\", \"child\", \"adult\", \"older\"");
            }
        }
        if (d->symptoms.empty()) {
            problems.push_back(who + "has no symptoms");
        }
        for (const auto& s : d->symptoms) {
            if (!within(s->intensity, 0.0f, 100.0f)) {
                problems.push_back(who + "symptom " + quoted(s->name()) + " has intensity " +
                                   number(s->intensity) + ", outside 0 to 100");
            }
            byCanonical[nameKey(s->name())].insert(s->name());
            byLooseKey[looseKey(s->name())].emplace(nameKey(s->name()), s->name());
        }
    }
    for (const auto& [key, forms] : byLooseKey) {
        if (forms.size() > 1) {
            std::set<std::string> names;
            for (const auto& [nameKey, name] : forms) {
                names.insert(name);
            }
            problems.push_back("symptom names differ only in letter case or surrounding spaces: " +
                               joinQuoted(names));
        }
    }
    for (const auto& [key, forms] : byCanonical) {
        if (forms.size() > 1) {
            problems.push_back("symptom names are the same text written with different bytes "
                               "(canonically equivalent): " +
                               joinQuoted(forms));
        }
    }

    for (const auto& organ : kOrgans) {
        const auto count =
            std::count_if(diseases.begin(), diseases.end(),
                          [&](const DiseasePtr& d) { return namesEqual(d->organ, organ.key); });
        report.diseasesPerOrgan.emplace_back(std::string(organ.key), static_cast<int>(count));
    }
    report.distinctSymptoms = static_cast<int>(byCanonical.size());
    return report;
}
