// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "engine/DiagnosticTools.h"
#include "model/CatalogueIndex.h"
#include "model/DatabaseTools.h"
#include "model/Names.h"
#include "presentation/DiseaseInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <numeric>
#include <random>

namespace {

DiseasePtr disease(const std::string& name, float frequency, SymptomList symptoms) {
    return std::make_shared<Disease>(name, "", frequency, 20.0f, "Heart", std::move(symptoms));
}

float probabilityOf(const DiagnosticList& results, const std::string& name) {
    for (const auto& d : results) {
        if (d->disease->name == name) {
            return d->probability;
        }
    }
    return NAN;
}

} // namespace

TEST(Engine, WorkedExampleToTheLastBit) {
    const DiseaseList diseases =
        DatabaseTools::loadDiseases(testData("catalogues/worked-example.plist"));
    const auto results =
        DiagnosticTools::generateDiagnostics(diseases, symptomsOf({{"Fever", 80}, {"Cough", 20}}));

    ASSERT_EQ(results.size(), 3u); // Gamma shares nothing, however common
    EXPECT_EQ(results[0]->disease->name, "Beta");
    EXPECT_EQ(results[1]->disease->name, "Alpha");
    EXPECT_EQ(results[2]->disease->name, "Delta");
    // The single-precision results of the fixed order of operations.
    EXPECT_EQ(results[0]->probability, 76.0f);
    EXPECT_EQ(results[1]->probability, 0x1.0d1ebap+5f); // 33.64
    EXPECT_EQ(results[2]->probability, 0x1.086d3ap+5f); // 33.0533
    for (const auto& r : results) {
        EXPECT_EQ(r->score, 0.0f);
    }
    // Results point at the catalogue's own records.
    EXPECT_EQ(results[0]->disease, diseases[1]);
}

TEST(Engine, NothingToRank) {
    const auto one = DiseaseList{disease("A", 10, symptomsOf({{"Fever", 60}}))};
    EXPECT_TRUE(DiagnosticTools::generateDiagnostics({}, symptomsOf({{"Fever", 60}})).empty());
    EXPECT_TRUE(DiagnosticTools::generateDiagnostics(one, {}).empty());
    // No symptoms, or weights that are not numbers, yield nothing.
    const auto degenerate =
        DiseaseList{disease("Empty", 500, {}), disease("Zero", 500, symptomsOf({{"Fever", 0}}))};
    EXPECT_TRUE(
        DiagnosticTools::generateDiagnostics(degenerate, symptomsOf({{"Fever", 0}})).empty());
}

TEST(Engine, NamesMatchExactlyOrByCanonicalEquivalence) {
    const auto catalogue = DiseaseList{disease("A", 0, symptomsOf({{"Fever", 60}})),
                                       disease("B", 0, symptomsOf({{"Caf\xC3\xA9", 60}}))};
    EXPECT_TRUE(
        DiagnosticTools::generateDiagnostics(catalogue, symptomsOf({{"fever", 60}})).empty());
    EXPECT_TRUE(
        DiagnosticTools::generateDiagnostics(catalogue, symptomsOf({{"Fever ", 60}})).empty());
    // "e" + combining acute is the same text as the precomposed letter.
    const auto results =
        DiagnosticTools::generateDiagnostics(catalogue, symptomsOf({{"Cafe\xCC\x81", 60}}));
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0]->disease->name, "B");
}

TEST(Engine, FullMatchAndUnclampedAgreement) {
    // Every symptom at its own intensity and nothing else: 80 + frequency / 50.
    const auto full =
        DiseaseList{disease("Full", 250, symptomsOf({{"Fever", 40}, {"Cough", 60}, {"Rash", 20}}))};
    const auto fullResult = DiagnosticTools::generateDiagnostics(
        full, symptomsOf({{"Rash", 20}, {"Fever", 40}, {"Cough", 60}}));
    ASSERT_EQ(fullResult.size(), 1u);
    EXPECT_FLOAT_EQ(fullResult[0]->probability, 85.0f);

    // A difference above 100 gives a negative term, which can sink a disease.
    const auto wild =
        DiseaseList{disease("Wild", 0, symptomsOf({{"Fever", 150}, {"Cough", 50}})),
                    disease("Zeroed", 0, symptomsOf({{"Fever", 100}, {"Cough", 50}}))};
    const auto results =
        DiagnosticTools::generateDiagnostics(wild, symptomsOf({{"Fever", 0}, {"Cough", 50}}));
    EXPECT_TRUE(std::isnan(probabilityOf(results, "Wild"))); // 75 * -0.5 + 25 < 0
    // A match with agreement 0 adds no weight but still counts as matched (F = 1).
    EXPECT_FLOAT_EQ(probabilityOf(results, "Zeroed"), 0.8f * (5000.0f / 150.0f));
}

TEST(Engine, UnrelatedSymptomLowersCoverageOnly) {
    const auto catalogue = DiseaseList{disease("A", 0, symptomsOf({{"Fever", 60}}))};
    const float alone =
        DiagnosticTools::generateDiagnostics(catalogue, symptomsOf({{"Fever", 60}}))[0]
            ->probability;
    const float withOther = DiagnosticTools::generateDiagnostics(
                                catalogue, symptomsOf({{"Fever", 60}, {"Rash", 20}}))[0]
                                ->probability;
    EXPECT_FLOAT_EQ(alone, 80.0f);
    EXPECT_FLOAT_EQ(withOther, 100.0f * 0.95f * 0.8f);
}

TEST(Engine, FirstUserEntryOfANameDecides) {
    const auto catalogue = DiseaseList{disease("A", 0, symptomsOf({{"Fever", 60}}))};
    const auto results =
        DiagnosticTools::generateDiagnostics(catalogue, symptomsOf({{"Fever", 60}, {"Fever", 20}}));
    // S from the first entry (full agreement), m = 1 of u = 2.
    EXPECT_FLOAT_EQ(results[0]->probability, 100.0f * (0.2f + 0.05f + 0.7f) * 0.8f);
}

namespace {

// The diagnosis as plainly as it can be written: straight loops over the
// names, T summed afresh for every match, m counted as a whole number.
struct Expected {
    const Disease* disease;
    float probability;
};

std::vector<Expected> plainDiagnosis(const DiseaseList& diseases, const SymptomList& user) {
    std::vector<Expected> out;
    for (const auto& d : diseases) {
        const std::size_t n = d->symptoms.size();
        if (n == 0) {
            continue;
        }
        float s = 0.0f;
        int m = 0;
        for (const auto& own : d->symptoms) {
            const Symptom* v = nullptr;
            for (const auto& candidate : user) {
                if (namesEqual(candidate->name(), own->name())) {
                    v = candidate.get();
                    break;
                }
            }
            if (!v) {
                continue;
            }
            float t = 0.0f;
            for (const auto& each : d->symptoms) {
                t = t + each->intensity;
            }
            const float w = (own->intensity * 100.0f) / t;
            if (v->intensity == own->intensity) {
                s = s + w;
            } else {
                const float hi = v->intensity > own->intensity ? v->intensity : own->intensity;
                const float lo = v->intensity > own->intensity ? own->intensity : v->intensity;
                s = s + w * ((hi - lo) / -100.0f + 1.0f);
            }
            m = m + 1;
        }
        const float x1 = (static_cast<float>(m) / static_cast<float>(user.size())) * 0.1f;
        const float x2 = (static_cast<float>(m) / static_cast<float>(n)) * 0.2f;
        const float f = (x2 + x1) + 0.7f;
        const float score = s * f;
        if (!(score > 0.0f)) {
            continue;
        }
        const float p = (score * 80.0f) / 100.0f + ((d->frequency / 10.0f) * 20.0f) / 100.0f;
        if (p > 0.0f) {
            out.push_back({d.get(), p});
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const Expected& a, const Expected& b) {
        return a.probability > b.probability;
    });
    return out;
}

std::uint32_t bits(float value) {
    std::uint32_t b;
    std::memcpy(&b, &value, sizeof b);
    return b;
}

// Names with a plain, a precomposed and a decomposed spelling, so that
// canonical equivalence is part of every comparison.
const std::vector<std::string>& namePool() {
    static const std::vector<std::string> pool = [] {
        std::vector<std::string> names;
        for (int i = 0; i < 14; ++i) {
            names.push_back("Symptom " + std::to_string(i));
        }
        names.push_back("Caf\xC3\xA9 rash");
        names.push_back("Cafe\xCC\x81 rash");
        names.push_back("\xC3\x85ngst");
        names.push_back("A\xCC\x8Angst");
        names.push_back("symptom 1");
        names.push_back("Symptom 1 ");
        return names;
    }();
    return pool;
}

float randomIntensity(std::mt19937& rng) {
    switch (rng() % 6) {
    case 0:
    case 1:
        return 20.0f * static_cast<float>(rng() % 5 + 1);
    case 2:
        return std::uniform_real_distribution<float>(0.0f, 100.0f)(rng);
    case 3:
        return static_cast<float>(rng() % 101);
    case 4:
        return std::uniform_real_distribution<float>(-50.0f, 250.0f)(rng);
    default:
        return std::bit_cast<float>(static_cast<std::uint32_t>(0x3c000000u + rng() % 0x7000000u));
    }
}

void expectSameAsPlain(const DiseaseList& diseases, const SymptomList& user,
                       const std::string& what) {
    const auto expected = plainDiagnosis(diseases, user);
    const auto actual = DiagnosticTools::generateDiagnostics(diseases, user);
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        ASSERT_EQ(actual[i]->disease.get(), expected[i].disease) << what << ", row " << i;
        ASSERT_EQ(bits(actual[i]->probability), bits(expected[i].probability))
            << what << ", row " << i << ": " << actual[i]->probability << " against "
            << expected[i].probability;
    }
}

} // namespace

TEST(Engine, AgreesToTheBitWithThePlainReckoning) {
    std::mt19937 rng(20260601);
    const auto& pool = namePool();
    int cases = 0;
    for (std::size_t n = 1; n <= 8; ++n) {
        for (std::size_t u = 1; u <= 10; ++u) {
            for (std::size_t m = 0; m <= std::min(n, u); ++m) {
                for (int round = 0; round < 6; ++round, ++cases) {
                    // The disease under test: n distinct names, m of them the user's.
                    std::vector<std::string> names;
                    std::vector<std::size_t> order(pool.size());
                    std::iota(order.begin(), order.end(), 0);
                    std::shuffle(order.begin(), order.end(), rng);
                    for (std::size_t k : order) {
                        const bool taken =
                            std::any_of(names.begin(), names.end(), [&](const std::string& name) {
                                return namesEqual(name, pool[k]);
                            });
                        if (!taken) {
                            names.push_back(pool[k]);
                        }
                    }
                    SymptomList own;
                    for (std::size_t k = 0; k < n; ++k) {
                        own.push_back(makeSymptom(names[k], randomIntensity(rng)));
                    }
                    SymptomList user;
                    for (std::size_t k = 0; k < m; ++k) {
                        // The same name spelt either way, when it has two spellings.
                        std::string name = names[k];
                        for (const auto& other : pool) {
                            if (other != name && namesEqual(other, name) && rng() % 2) {
                                name = other;
                            }
                        }
                        user.push_back(makeSymptom(name, randomIntensity(rng)));
                    }
                    for (std::size_t k = m; k < u; ++k) {
                        // Unrelated names, or a second entry of a name already given.
                        const bool repeat = m > 0 && rng() % 4 == 0;
                        user.push_back(
                            makeSymptom(repeat ? user[rng() % m]->name() : names[n + k - m],
                                        randomIntensity(rng)));
                    }
                    std::shuffle(user.begin(), user.end(), rng);

                    // Neighbours that share names with it, so the ranking is tested too.
                    DiseaseList diseases{std::make_shared<Disease>(
                        "Tested", "", randomIntensity(rng) * 5.0f, 20.0f, "Heart", own)};
                    for (std::size_t d = rng() % 4; d > 0; --d) {
                        SymptomList other;
                        for (std::size_t k = rng() % 5; k > 0; --k) {
                            other.push_back(
                                makeSymptom(names[rng() % names.size()], randomIntensity(rng)));
                        }
                        diseases.push_back(std::make_shared<Disease>(
                            "Other", "", static_cast<float>(rng() % 1000), 20.0f, "Heart", other));
                    }
                    const std::string what = "m=" + std::to_string(m) + " n=" + std::to_string(n) +
                                             " u=" + std::to_string(u);
                    expectSameAsPlain(diseases, user, what + ", records made by hand");
                    indexCatalogue(diseases);
                    expectSameAsPlain(diseases, user, what + ", indexed");
                    // Part of a loaded catalogue: the records, by their ids.
                    const DiseaseList part(diseases.rbegin(), diseases.rend());
                    expectSameAsPlain(part, user, what + ", part of the catalogue");
                    // Re-ordered in place, as the information window does: the
                    // sums follow the new order.
                    for (const auto& d : diseases) {
                        if (rng() % 2) {
                            orderSymptomsForDisplay(*d);
                        } else {
                            std::shuffle(d->symptoms.begin(), d->symptoms.end(), rng);
                            symptomsReordered(*d);
                        }
                    }
                    expectSameAsPlain(diseases, user, what + ", re-ordered");
                }
            }
        }
    }
    EXPECT_GT(cases, 2000);
}

TEST(Engine, ShippedCatalogueAgreesWithThePlainReckoning) {
    const DiseaseList diseases = DatabaseTools::loadDiseases();
    std::vector<std::string> names;
    for (const auto& d : diseases) {
        for (const auto& s : d->symptoms) {
            names.push_back(s->name());
        }
    }
    std::mt19937 rng(7);
    for (int run = 0; run < 300; ++run) {
        SymptomList user;
        for (std::size_t k = rng() % 12 + 1; k > 0; --k) {
            user.push_back(makeSymptom(names[rng() % names.size()],
                                       20.0f * static_cast<float>(rng() % 5 + 1)));
        }
        expectSameAsPlain(diseases, user, "run " + std::to_string(run));
    }
}

TEST(Engine, LargeIndexIsFilledLikeTheRecordsSay) {
    // Large enough to be filled on two threads, with ids changed from the
    // middle on, as when a catalogue read in two halves is joined.
    constexpr std::size_t kCount = 30000;
    DiseaseList diseases;
    for (std::size_t i = 0; i < kCount; ++i) {
        SymptomList symptoms;
        for (std::size_t j = 0; j < i % 4; ++j) {
            symptoms.push_back(makeSymptom("S" + std::to_string((i + j) % 50), 20.0f * (j + 1)));
        }
        diseases.push_back(std::make_shared<Disease>(
            "D" + std::to_string(i), "", static_cast<float>(i % 7), 20.0f, "Heart", symptoms));
    }
    for (const auto& d : diseases) {
        for (const auto& s : d->symptoms) {
            s->nameId = static_cast<std::uint32_t>(std::stoul(s->name().substr(1)));
        }
    }
    std::vector<std::uint32_t> reversed(50);
    for (std::uint32_t id = 0; id < 50; ++id) {
        reversed[id] = 49 - id;
    }
    auto index = std::make_shared<CatalogueIndex>();
    fillIndex(index, diseases, {kCount / 3, reversed});

    ASSERT_FALSE(index->stale);
    ASSERT_EQ(index->first.size(), kCount + 1);
    for (std::size_t i = 0; i < kCount; ++i) {
        const Disease& d = *diseases[i];
        ASSERT_EQ(index->diseases[i], &d);
        ASSERT_EQ(d.index, index);
        ASSERT_EQ(d.indexSlot, i);
        ASSERT_EQ(index->frequency[i], d.frequency);
        ASSERT_EQ(index->first[i + 1] - index->first[i], d.symptoms.size());
        for (std::size_t j = 0; j < d.symptoms.size(); ++j) {
            const auto written =
                static_cast<std::uint32_t>(std::stoul(d.symptoms[j]->name().substr(1)));
            const std::uint32_t expected = i >= kCount / 3 ? 49 - written : written;
            ASSERT_EQ(d.symptoms[j]->nameId, expected) << i;
            ASSERT_EQ(index->entries[index->first[i] + j].nameId, expected) << i;
            ASSERT_EQ(index->entries[index->first[i] + j].intensity, d.symptoms[j]->intensity);
        }
    }
}
