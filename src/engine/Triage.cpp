// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/Triage.h"

#include "model/Names.h"
#include "model/Organs.h"

#include <algorithm>
#include <cmath>

std::string_view careLevelKey(CareLevel level) {
    switch (level) {
    case CareLevel::Emergency:
        return "emergency";
    case CareLevel::Urgent:
        return "urgent";
    case CareLevel::Doctor:
        return "doctor";
    case CareLevel::SelfCare:
        break;
    }
    return "self-care";
}

std::string_view careLevelTitle(CareLevel level) {
    switch (level) {
    case CareLevel::Emergency:
        return "Emergency";
    case CareLevel::Urgent:
        return "See a doctor today";
    case CareLevel::Doctor:
        return "See a doctor in the next few days";
    case CareLevel::SelfCare:
        break;
    }
    return "Self-care";
}

std::string_view careLevelAdvice(CareLevel level) {
    switch (level) {
    case CareLevel::Emergency:
        return "Call your local emergency number or go to the nearest emergency department now.";
    case CareLevel::Urgent:
        return "See a doctor today.";
    case CareLevel::Doctor:
        return "Make an appointment with your doctor in the next few days.";
    case CareLevel::SelfCare:
        break;
    }
    return "This can usually be looked after at home; see a doctor if it gets worse or does not "
           "improve.";
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
    std::string_view need;
    switch (level) {
    case CareLevel::Emergency:
        need = "needs emergency care.";
        break;
    case CareLevel::Urgent:
        need = "needs a doctor today.";
        break;
    case CareLevel::Doctor:
        need = "should be seen by a doctor within a few days.";
        break;
    case CareLevel::SelfCare:
        need = "can usually be looked after at home.";
        break;
    }
    return name + " is among the most likely causes and " + std::string(need);
}

bool moreUrgent(CareLevel a, CareLevel b) {
    return static_cast<int>(a) < static_cast<int>(b);
}

} // namespace

CareAdvice assessCare(const DiseaseList& /*catalogue*/, const SymptomList& symptoms,
                      const DiagnosticList& ranked) {
    CareAdvice advice;
    std::vector<std::string> symptomReasons;
    for (const auto& s : symptoms) {
        if (isCrisisSymptom(s->name, s->intensity) && !advice.crisis) {
            advice.crisis = true;
            // The crisis line comes before anything else said.
            symptomReasons.insert(symptomReasons.begin(), std::string(kCrisisReason));
        }
        if (isCriticalSymptom(s->name, s->intensity)) {
            advice.critical = true;
            symptomReasons.push_back(criticalReason(s->name));
        }
    }

    const std::size_t considered = std::min<std::size_t>(ranked.size(), kCareResultsConsidered);
    CareLevel fromResults = CareLevel::SelfCare;
    for (std::size_t i = 0; i < considered; ++i) {
        const CareLevel level = careLevelForGravity(ranked[i]->disease->gravity);
        if (moreUrgent(level, fromResults)) {
            fromResults = level;
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
    if (fromResults == advice.level) {
        for (std::size_t i = 0; i < considered; ++i) {
            const Disease& d = *ranked[i]->disease;
            if (careLevelForGravity(d.gravity) == advice.level &&
                std::find(advice.conditions.begin(), advice.conditions.end(), d.name) ==
                    advice.conditions.end()) {
                advice.conditions.push_back(d.name);
                advice.reasons.push_back(causeReason(d.name, advice.level));
            }
        }
    }
    return advice;
}
