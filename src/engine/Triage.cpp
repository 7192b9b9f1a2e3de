// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/Triage.h"

#include "model/Names.h"
#include "model/Organs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// What each level is called and asks for, in the order of the levels.
struct LevelTexts {
    std::string_view key;
    std::string_view title;
    std::string_view advice;
    std::string_view causeNeeds; // ends "X is among the most likely causes and ..."
};

constexpr std::array<LevelTexts, 4> kLevelTexts{{
    {"emergency", "Emergency",
     "Call your local emergency number or go to the nearest emergency department now.",
     "needs emergency care."},
    {"urgent", "Urgent", "See a doctor today.", "needs a doctor today."},
    {"doctor", "See a doctor", "Make an appointment with your doctor in the next few days.",
     "should be seen by a doctor within a few days."},
    {"self-care", "Self-care",
     "This can usually be looked after at home; see a doctor if it gets worse or does not "
     "improve.",
     "can usually be looked after at home."},
}};

const LevelTexts& textsOf(CareLevel level) {
    return kLevelTexts[static_cast<std::size_t>(level)];
}

} // namespace

std::string_view careLevelKey(CareLevel level) {
    return textsOf(level).key;
}

std::string_view careLevelTitle(CareLevel level) {
    return textsOf(level).title;
}

std::string_view careLevelAdvice(CareLevel level) {
    return textsOf(level).advice;
}

CareLevel careLevelForGravity(float gravity) {
    // Between two steps of the scale the lower one applies; the catalogue
    // check reports such a gravity. One that is no number says nothing, and
    // nothing known is no reason to stay at home.
    if (std::isnan(gravity)) {
        return CareLevel::Doctor;
    }
    if (gravity >= 100.0f) {
        return CareLevel::Emergency;
    }
    if (gravity >= 80.0f) {
        return CareLevel::Urgent;
    }
    if (gravity >= 60.0f) {
        return CareLevel::Doctor;
    }
    return CareLevel::SelfCare;
}

bool isCriticalSymptom(std::string_view name, float intensity) {
    const bool risky = std::any_of(kRiskSymptoms.begin(), kRiskSymptoms.end(),
                                   [&](std::string_view risk) { return namesEqual(risk, name); });
    return risky && intensity >= kCriticalIntensity;
}

bool isCrisisSymptom(std::string_view name, float intensity) {
    return intensity > 0.0f && namesEqual(kCrisisSymptom, name);
}

namespace {

constexpr std::string_view kCrisisReason = "If you are thinking about harming yourself, call your "
                                           "local emergency number or a crisis line now.";
constexpr std::string_view kNoMatchReason =
    "None of the conditions Sanoria knows matches these symptoms, so it cannot tell how serious "
    "they are.";

std::string criticalReason(const std::string& name) {
    return name + " this strong can be a sign of an emergency.";
}

std::string causeReason(const std::string& name, CareLevel level) {
    return name + " is among the most likely causes and " + std::string(textsOf(level).causeNeeds);
}

// The reason for a condition that needs emergency care but lacks the symptom
// it would come with.
std::string withoutMainSymptomReason(const std::string& name,
                                     const std::vector<std::string>& main) {
    std::string listed;
    for (std::size_t i = 0; i < main.size(); ++i) {
        listed += (i == 0 ? "" : i + 1 == main.size() ? " or " : ", ") + ("\"" + main[i] + "\"");
    }
    return name + " is among the most likely causes. It is an emergency when it comes with " +
           listed + ", which you did not enter; without that, see a doctor today to rule it out.";
}

bool moreUrgent(CareLevel a, CareLevel b) {
    return static_cast<int>(a) < static_cast<int>(b);
}

bool entered(const SymptomList& symptoms, const std::string& name) {
    return std::any_of(symptoms.begin(), symptoms.end(),
                       [&](const SymptomPtr& s) { return namesEqual(s->name(), name); });
}

} // namespace

std::vector<std::string> mainSymptoms(const Disease& disease) {
    float highest = 0.0f;
    for (const auto& s : disease.symptoms) {
        highest = std::max(highest, s->intensity); // NaN never wins
    }
    const float threshold = std::min(highest, kMainSymptomIntensity);
    std::vector<std::string> names;
    for (const auto& s : disease.symptoms) {
        if (s->intensity >= threshold && threshold > 0.0f) {
            names.push_back(s->name());
        }
    }
    return names;
}

CareLevel careLevelForResult(const Disease& disease, const SymptomList& symptoms) {
    const CareLevel level = careLevelForGravity(disease.gravity);
    if (level != CareLevel::Emergency) {
        return level;
    }
    const auto main = mainSymptoms(disease);
    const bool hasMain =
        main.empty() || std::any_of(main.begin(), main.end(), [&](const std::string& name) {
            return entered(symptoms, name);
        });
    return hasMain ? CareLevel::Emergency : CareLevel::Urgent;
}

CareAdvice assessCare(const DiseaseList& /*catalogue*/, const SymptomList& symptoms,
                      const DiagnosticList& ranked) {
    CareAdvice advice;
    std::vector<std::string> symptomReasons;
    for (const auto& s : symptoms) {
        if (isCrisisSymptom(s->name(), s->intensity) && !advice.crisis) {
            advice.crisis = true;
            // The crisis line comes before anything else said.
            symptomReasons.insert(symptomReasons.begin(), std::string(kCrisisReason));
        }
        if (isCriticalSymptom(s->name(), s->intensity)) {
            advice.critical = true;
            symptomReasons.push_back(criticalReason(s->name()));
        }
    }

    const std::size_t considered = std::min<std::size_t>(ranked.size(), kCareResultsConsidered);
    std::vector<CareLevel> levels;
    CareLevel fromResults = CareLevel::SelfCare;
    for (std::size_t i = 0; i < considered; ++i) {
        levels.push_back(careLevelForResult(*ranked[i]->disease, symptoms));
        if (moreUrgent(levels.back(), fromResults)) {
            fromResults = levels.back();
        }
    }
    if (considered == 0) {
        // Nothing to judge by is no reason to stay at home.
        fromResults = CareLevel::Doctor;
    }

    const bool fromSymptoms = advice.critical || advice.crisis;
    advice.level = fromSymptoms ? CareLevel::Emergency : fromResults;
    advice.reasons = std::move(symptomReasons);
    if (considered == 0) {
        if (!fromSymptoms) {
            advice.reasons.emplace_back(kNoMatchReason);
        }
        return advice;
    }
    if (fromResults != advice.level) {
        return advice;
    }
    for (std::size_t i = 0; i < considered; ++i) {
        const Disease& d = *ranked[i]->disease;
        if (levels[i] != advice.level ||
            std::find(advice.conditions.begin(), advice.conditions.end(), d.name) !=
                advice.conditions.end()) {
            continue;
        }
        advice.conditions.push_back(d.name);
        const bool lacksMain = careLevelForGravity(d.gravity) != levels[i];
        advice.reasons.push_back(lacksMain ? withoutMainSymptomReason(d.name, mainSymptoms(d))
                                           : causeReason(d.name, advice.level));
    }
    return advice;
}
