// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/AboutYou.h"

#include <algorithm>
#include <charconv>

std::string_view ageGroupFor(int years) {
    if (years < 1) {
        return "baby";
    }
    if (years <= 15) {
        return "child";
    }
    if (years <= 64) {
        return "adult";
    }
    return "older";
}

bool appliesTo(const Disease& disease, const AboutYou& person) {
    if (!person.sex.empty() && !disease.sex.empty() && disease.sex != person.sex) {
        return false;
    }
    if (person.age && !disease.ages.empty()) {
        const std::string_view group = ageGroupFor(*person.age);
        return std::find(disease.ages.begin(), disease.ages.end(), group) != disease.ages.end();
    }
    return true;
}

DiagnosticList forPerson(const DiagnosticList& ranked, const AboutYou& person) {
    if (!person.given()) {
        return ranked;
    }
    DiagnosticList kept;
    kept.reserve(ranked.size());
    std::copy_if(ranked.begin(), ranked.end(), std::back_inserter(kept),
                 [&](const DiagnosticPtr& d) { return appliesTo(*d->disease, person); });
    return kept;
}

std::string aboutYouText(const AboutYou& person) {
    std::string text;
    if (person.sex == "female") {
        text = "Female";
    } else if (person.sex == "male") {
        text = "Male";
    }
    if (person.age) {
        const std::string years =
            std::to_string(*person.age) + (*person.age == 1 ? " year" : " years");
        text += text.empty() ? years : ", " + years;
    }
    return text;
}

std::optional<std::string> parseSex(std::string_view text) {
    if (text == "female" || text == "male") {
        return std::string(text);
    }
    return std::nullopt;
}

std::optional<int> parseAge(std::string_view text) {
    int years = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), years);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || years < 0 ||
        years > kOldestAge) {
        return std::nullopt;
    }
    return years;
}

std::string personExclusion(const Disease& disease, const AboutYou& person) {
    if (!person.sex.empty() && !disease.sex.empty() && disease.sex != person.sex) {
        return "Left out: it affects only " +
               std::string(disease.sex == "female" ? "women and girls." : "men and boys.");
    }
    if (appliesTo(disease, person)) {
        return "";
    }
    std::string groups;
    for (std::size_t i = 0; i < disease.ages.size(); ++i) {
        const std::string& age = disease.ages[i];
        const char* words = age == "baby"    ? "babies"
                            : age == "child" ? "children"
                            : age == "adult" ? "adults"
                            : age == "older" ? "people 65 and over"
                                             : age.c_str();
        groups += (i == 0                         ? ""
                   : i + 1 == disease.ages.size() ? " and "
                                                  : ", ") +
                  std::string(words);
    }
    return "Left out: it affects only " + groups + ".";
}
