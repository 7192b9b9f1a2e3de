// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DiagnosticTools.h"

#include "model/CatalogueIndex.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

// Every step is single precision in a fixed order; the build keeps the
// compiler from contracting or reordering it, so results agree to the bit.

namespace {

// Which of the user's symptoms each name id stands for, in one table of
// names. The first user symptom of a name wins, as a search from the start
// of the list would find it.
class UserSlots {
public:
    UserSlots(const SymptomList& user, const SymptomNames& names) : byId_(names.size(), -1) {
        for (std::size_t i = 0; i < user.size(); ++i) {
            if (const auto id = names.find(user[i]->name()); id && byId_[*id] < 0) {
                byId_[*id] = static_cast<std::int32_t>(i);
            }
        }
    }
    // The user's symptom with this id, or -1.
    std::int32_t operator[](std::uint32_t id) const { return id < byId_.size() ? byId_[id] : -1; }

private:
    std::vector<std::int32_t> byId_;
};

struct Match {
    float own;  // the disease's intensity
    float user; // the user's
};

// The probability of one disease from its n symptoms, their total intensity
// and its matches in list order; none when the disease yields nothing.
bool probabilityOf(const std::vector<Match>& matches, float n, float total, float u,
                   float frequency, float* probability) {
    float sum = 0.0f;
    for (const Match& match : matches) {
        const float weight = (match.own * 100.0f) / total;
        if (match.user == match.own) {
            sum = sum + weight;
        } else {
            const float delta = std::max(match.user, match.own) - std::min(match.user, match.own);
            sum = sum + weight * (delta / -100.0f + 1.0f);
        }
    }
    const float m = static_cast<float>(matches.size());
    const float x1 = (m / u) * 0.1f;
    const float x2 = (m / n) * 0.2f;
    const float coverage = (x2 + x1) + 0.7f;
    const float matchScore = sum * coverage;
    if (!(matchScore > 0.0f)) {
        return false;
    }
    *probability = (matchScore * 80.0f) / 100.0f + ((frequency / 10.0f) * 20.0f) / 100.0f;
    return *probability > 0.0f;
}

struct Scored {
    float probability;
    std::size_t disease;
};

// A whole catalogue as it was loaded: read from its index alone.
bool isWholeIndexedCatalogue(const DiseaseList& diseases) {
    if (diseases.empty() || !diseases[0]->index) {
        return false;
    }
    const CatalogueIndex& index = *diseases[0]->index;
    if (index.stale || index.diseases.size() != diseases.size()) {
        return false;
    }
    for (std::size_t i = 0; i < diseases.size(); ++i) {
        if (diseases[i].get() != index.diseases[i]) {
            return false;
        }
    }
    return true;
}

void scoreIndex(const CatalogueIndex& index, const SymptomList& user, std::vector<Scored>& scored) {
    const UserSlots slots(user, index.names);
    const float u = static_cast<float>(user.size());
    std::vector<Match> matches;
    for (std::size_t d = 0; d < index.diseases.size(); ++d) {
        const auto* begin = index.entries.data() + index.first[d];
        const auto* end = index.entries.data() + index.first[d + 1];
        if (begin == end) {
            continue;
        }
        matches.clear();
        float total = 0.0f;
        for (const auto* e = begin; e != end; ++e) {
            total = total + e->intensity;
            if (const std::int32_t at = slots[e->nameId]; at >= 0) {
                matches.push_back({e->intensity, user[std::size_t(at)]->intensity});
            }
        }
        float probability = 0.0f;
        if (!matches.empty() && probabilityOf(matches, static_cast<float>(end - begin), total, u,
                                              index.frequency[d], &probability)) {
            scored.push_back({probability, d});
        }
    }
}

// Any other list: the records themselves, names compared through the table of
// the catalogue they came from, or through one made of the user's names.
void scoreRecords(const DiseaseList& diseases, const SymptomList& user,
                  std::vector<Scored>& scored) {
    SymptomNames userNames;
    for (const auto& s : user) {
        userNames.intern(s->name());
    }
    const UserSlots byUserName(user, userNames);
    const CatalogueIndex* lastIndex = nullptr;
    std::optional<UserSlots> byIndex;
    const float u = static_cast<float>(user.size());
    std::vector<Match> matches;
    for (std::size_t d = 0; d < diseases.size(); ++d) {
        const Disease& disease = *diseases[d];
        if (disease.symptoms.empty()) {
            continue;
        }
        const CatalogueIndex* index = disease.index.get();
        if (index && index != lastIndex) {
            byIndex.emplace(user, index->names);
            lastIndex = index;
        }
        matches.clear();
        float total = 0.0f;
        for (const auto& s : disease.symptoms) {
            total = total + s->intensity;
            std::int32_t at = -1;
            if (index && s->nameId != kNoNameId) {
                at = (*byIndex)[s->nameId];
            } else if (const auto id = userNames.find(s->name())) {
                at = byUserName[*id];
            }
            if (at >= 0) {
                matches.push_back({s->intensity, user[std::size_t(at)]->intensity});
            }
        }
        float probability = 0.0f;
        if (!matches.empty() && probabilityOf(matches, static_cast<float>(disease.symptoms.size()),
                                              total, u, disease.frequency, &probability)) {
            scored.push_back({probability, d});
        }
    }
}

} // namespace

DiagnosticList DiagnosticTools::generateDiagnostics(const DiseaseList& diseases,
                                                    const SymptomList& symptoms) {
    std::vector<Scored> scored;
    if (isWholeIndexedCatalogue(diseases)) {
        scoreIndex(*diseases[0]->index, symptoms, scored);
    } else {
        scoreRecords(diseases, symptoms, scored);
    }
    // Stable, so equal probabilities keep catalogue order from one run to the next.
    std::stable_sort(scored.begin(), scored.end(), [](const Scored& a, const Scored& b) {
        return a.probability > b.probability;
    });
    std::vector<Diagnostic> result;
    result.reserve(scored.size());
    for (const Scored& s : scored) {
        result.emplace_back(diseases[s.disease], s.probability);
    }
    return shareEach(std::move(result));
}
