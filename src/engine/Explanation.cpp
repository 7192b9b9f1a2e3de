// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Explanation.h"

#include "model/Names.h"

#include <algorithm>

// Single precision in the diagnosis's own order of operations; the build keeps
// the compiler from contracting or reordering it.

namespace {

const Symptom* firstEqual(const SymptomList& symptoms, const std::string& name) {
    for (const auto& s : symptoms) {
        if (namesEqual(s->name(), name)) {
            return s.get();
        }
    }
    return nullptr;
}

} // namespace

Explanation explainDiagnosis(const Disease& disease, const SymptomList& symptoms) {
    Explanation e;
    e.disease = disease.name;
    e.n = disease.symptoms.size();
    e.u = symptoms.size();
    if (e.n == 0) {
        return e;
    }
    float total = 0.0f;
    for (const auto& s : disease.symptoms) {
        total = total + s->intensity;
    }
    e.total = total;

    float sum = 0.0f;
    for (const auto& s : disease.symptoms) {
        const Symptom* v = firstEqual(symptoms, s->name());
        if (!v) {
            e.missing.push_back(s->name());
            continue;
        }
        const float weight = (s->intensity * 100.0f) / total;
        float agreement = 1.0f;
        float points = weight;
        if (v->intensity != s->intensity) {
            const float delta =
                std::max(v->intensity, s->intensity) - std::min(v->intensity, s->intensity);
            agreement = delta / -100.0f + 1.0f;
            points = weight * agreement;
        }
        sum = sum + points;
        e.matched.push_back({s->name(), v->intensity, s->intensity, weight, agreement, points});
    }
    e.m = e.matched.size();
    e.matchSum = sum;

    const float m = static_cast<float>(e.m);
    const float n = static_cast<float>(e.n);
    const float u = static_cast<float>(e.u);
    const float x1 = (m / u) * 0.1f;
    const float x2 = (m / n) * 0.2f;
    e.coverage = (x2 + x1) + 0.7f;
    e.matchScore = sum * e.coverage;
    e.matchTerm = (e.matchScore * 80.0f) / 100.0f;
    e.frequencyTerm = ((disease.frequency / 10.0f) * 20.0f) / 100.0f;
    e.probability = e.matchTerm + e.frequencyTerm;
    e.listed = e.m > 0 && e.matchScore > 0.0f && e.probability > 0.0f;
    return e;
}

float shareOfProbability(const Explanation& explanation, const MatchedTerm& term) {
    return (term.points * explanation.coverage * 80.0f) / 100.0f;
}
