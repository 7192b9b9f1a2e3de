#include "engine/DiagnosticTools.h"

#include "model/Names.h"

#include <algorithm>

// Every step is single precision in a fixed order; the build keeps the
// compiler from contracting or reordering it, so results agree to the bit.

namespace {

// The user's names in canonical form, computed once per run.
struct UserSymptom {
    std::string key;
    float intensity;
};

const UserSymptom* findUserSymptom(const std::vector<UserSymptom>& user, const std::string& name) {
    const bool ascii = isAscii(name);
    const std::string canonical = ascii ? std::string() : canonicalName(name);
    const std::string& key = ascii ? name : canonical;
    for (const auto& v : user) {
        if (v.key == key) {
            return &v;
        }
    }
    return nullptr;
}

} // namespace

DiagnosticList DiagnosticTools::generateDiagnostics(const DiseaseList& diseases,
                                                    const SymptomList& symptoms) {
    std::vector<UserSymptom> user;
    user.reserve(symptoms.size());
    for (const auto& s : symptoms) {
        user.push_back({canonicalName(s->name), s->intensity});
    }
    const float u = static_cast<float>(user.size());

    DiagnosticList result;
    for (const auto& disease : diseases) {
        const auto& own = disease->symptoms;
        if (own.empty()) {
            continue;
        }
        const float n = static_cast<float>(own.size());
        float total = 0.0f;
        for (const auto& s : own) {
            total = total + s->intensity;
        }
        float sum = 0.0f;
        int matched = 0;
        for (const auto& s : own) {
            const UserSymptom* v = findUserSymptom(user, s->name);
            if (!v) {
                continue;
            }
            const float weight = (s->intensity * 100.0f) / total;
            if (v->intensity == s->intensity) {
                sum = sum + weight;
            } else {
                const float delta = std::max(v->intensity, s->intensity) -
                                    std::min(v->intensity, s->intensity);
                sum = sum + weight * (delta / -100.0f + 1.0f);
            }
            ++matched;
        }
        const float m = static_cast<float>(matched);
        const float x1 = (m / u) * 0.1f;
        const float x2 = (m / n) * 0.2f;
        const float coverage = (x2 + x1) + 0.7f;
        const float matchScore = sum * coverage;
        if (!(matchScore > 0.0f)) {
            continue;
        }
        const float probability =
            (matchScore * 80.0f) / 100.0f + ((disease->frequency / 10.0f) * 20.0f) / 100.0f;
        if (!(probability > 0.0f)) {
            continue;
        }
        result.push_back(std::make_shared<Diagnostic>(disease, probability));
    }
    // Stable, so equal probabilities keep catalogue order from one run to the next.
    std::stable_sort(result.begin(), result.end(), [](const DiagnosticPtr& a, const DiagnosticPtr& b) {
        return a->probability > b->probability;
    });
    return result;
}
