// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "engine/DiagnosticTools.h"
#include "model/DatabaseTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

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

TEST(Engine, LargeCatalogueGivesWhatEachDiseaseGivesAlone) {
    // Large enough to be split across threads; every disease is scored on its
    // own, so the whole must agree with the parts, in stable order.
    const char* names[] = {"Fever", "Cough", "Rash", "Ache", "Chills", "Nausea"};
    DiseaseList catalogue;
    for (int i = 0; i < 30000; ++i) {
        SymptomList own;
        for (int k = 0; k < 3; ++k) {
            own.push_back(makeSymptom(names[(i + k * 7) % 6], 20.0f * ((i + k) % 5 + 1)));
        }
        catalogue.push_back(disease("D" + std::to_string(i), static_cast<float>(i % 97), own));
    }
    const auto user = symptomsOf({{"Fever", 80}, {"Rash", 40}, {"Unknown", 20}});
    const auto results = DiagnosticTools::generateDiagnostics(catalogue, user);
    ASSERT_FALSE(results.empty());

    std::vector<std::pair<float, std::size_t>> expected;
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const auto alone = DiagnosticTools::generateDiagnostics({catalogue[i]}, user);
        if (!alone.empty()) {
            expected.emplace_back(alone[0]->probability, i);
        }
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    ASSERT_EQ(results.size(), expected.size());
    for (std::size_t i = 0; i < results.size(); ++i) {
        ASSERT_EQ(results[i]->disease, catalogue[expected[i].second]) << i;
        ASSERT_EQ(results[i]->probability, expected[i].first) << i;
    }
}
