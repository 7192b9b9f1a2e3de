// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// How soon a person should get care, most urgent first.
enum class CareLevel { Emergency, Urgent, Doctor, SelfCare };

// "emergency", "urgent", "doctor", "self-care": the names scripts read.
std::string_view careLevelKey(CareLevel level);
// The level in words for a patient, e.g. "Urgent"; the advice says what it
// means.
std::string_view careLevelTitle(CareLevel level);
// What to do, one sentence.
std::string_view careLevelAdvice(CareLevel level);
// The level a condition's gravity calls for: 100 emergency, 80 urgent, 60
// doctor, anything lower self-care; one that is not a number, doctor.
CareLevel careLevelForGravity(float gravity);

// A condition's main symptoms: the defining ones it lists at this intensity
// or more; for a condition with none so strong, those at its highest.
inline constexpr float kMainSymptomIntensity = 80.0f;
std::vector<std::string> mainSymptoms(const Disease& disease);
// The level one result calls for: its gravity's, except that a condition
// needing emergency care calls for a doctor today while none of its main
// symptoms was entered (a blocked gut without belly pain is unlikely, and
// must still be ruled out).
CareLevel careLevelForResult(const Disease& disease, const SymptomList& symptoms);

// The hospital warning's rule: one of the critical names entered at the
// critical intensity or more. The window warns at Add, the terminal on
// standard error; both ask this.
bool isCriticalSymptom(std::string_view name, float intensity);
// Thoughts of self-harm or suicide, at any intensity.
bool isCrisisSymptom(std::string_view name, float intensity);

// How many of the likeliest results the care level looks at.
inline constexpr std::size_t kCareResultsConsidered = 3;

struct CareAdvice {
    CareLevel level = CareLevel::SelfCare;
    bool critical = false;               // the hospital warning's rule fired
    bool crisis = false;                 // a crisis symptom was entered
    std::vector<std::string> reasons;    // plain sentences, most urgent first
    std::vector<std::string> conditions; // the result names that raised the level
};

// The care level for a diagnosis: the most urgent of the critical-symptom
// rule, a crisis symptom, and the level of each of the likeliest results.
// Reads the ranked result; never changes it.
// `conditions` holds the likeliest results that call for the level given, in
// rank order; none when the level comes from the symptoms alone.
// An empty result cannot be judged and is advised as `doctor`.
CareAdvice assessCare(const DiseaseList& catalogue, const SymptomList& symptoms,
                      const DiagnosticList& ranked);
