// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <string>
#include <string_view>
#include <vector>

// How soon a person should get care, most urgent first.
enum class CareLevel { Emergency, Urgent, Doctor, SelfCare };

// "emergency", "urgent", "doctor", "self-care": the names scripts read.
std::string_view careLevelKey(CareLevel level);
// The level in words for a patient, e.g. "See a doctor today".
std::string_view careLevelTitle(CareLevel level);
// What to do, one sentence.
std::string_view careLevelAdvice(CareLevel level);
// The level a condition's gravity calls for: 100 emergency, 80 urgent, 60
// doctor, anything lower self-care.
CareLevel careLevelForGravity(float gravity);

// The hospital warning's rule: one of the critical names entered at the
// critical intensity or more. The window warns at Add, the terminal on
// standard error; both ask this.
bool isCriticalSymptom(std::string_view name, float intensity);
// Thoughts of self-harm or suicide, at any intensity.
bool isCrisisSymptom(std::string_view name, float intensity);

struct CareAdvice {
    CareLevel level = CareLevel::SelfCare;
    bool critical = false;               // the hospital warning's rule fired
    bool crisis = false;                 // a crisis symptom was entered
    std::vector<std::string> reasons;    // plain sentences, most urgent first
    std::vector<std::string> conditions; // the result names that raised the level
};

// The care level for a diagnosis: the most urgent of the critical-symptom
// rule, a crisis symptom, and the gravity of the likeliest results. Reads the
// ranked result; never changes it.
CareAdvice assessCare(const DiseaseList& catalogue, const SymptomList& symptoms,
                      const DiagnosticList& ranked);
