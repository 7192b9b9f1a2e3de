// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "engine/AboutYou.h"
#include "engine/DiagnosticTools.h"
#include "engine/Explanation.h"
#include "model/DatabaseTools.h"
#include "model/Organs.h"
#include "model/SymptomSearch.h"
#include "presentation/DiseaseInfo.h"
#include "presentation/WhyThisResult.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>

namespace {

DiseasePtr disease(const std::string& name, float frequency, SymptomList symptoms,
                   const std::string& organ = "Heart") {
    return std::make_shared<Disease>(name, "", frequency, 20.0f, organ, std::move(symptoms));
}

std::uint32_t bits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

const Diagnostic* resultFor(const DiagnosticList& results, const DiseasePtr& d) {
    for (const auto& r : results) {
        if (r->disease == d) {
            return r.get();
        }
    }
    return nullptr;
}

// Names that collide often, some of them in two canonically equivalent spellings.
const char* const kPool[] = {"Fever",        "Cough", "Rash",   "Ache",   "Caf\xC3\xA9",
                             "Cafe\xCC\x81", "fever", "Nausea", "Chills", "Itch"};

float randomIntensity(std::mt19937& rng) {
    std::uniform_int_distribution<int> pick(0, 9);
    const int kind = pick(rng);
    if (kind < 6) {
        return 20.0f * static_cast<float>(kind % 5 + 1);
    }
    if (kind == 6) {
        return 0.0f;
    }
    return std::uniform_real_distribution<float>(-20.0f, 180.0f)(rng);
}

SymptomList randomSymptoms(std::mt19937& rng, int most) {
    SymptomList list;
    const int count = std::uniform_int_distribution<int>(0, most)(rng);
    for (int i = 0; i < count; ++i) {
        list.push_back(makeSymptom(kPool[rng() % std::size(kPool)], randomIntensity(rng)));
    }
    return list;
}

} // namespace

TEST(Explanation, WorkedExampleTerms) {
    const DiseaseList diseases =
        DatabaseTools::loadDiseases(testData("catalogues/worked-example.plist"));
    const auto user = symptomsOf({{"Fever", 80}, {"Cough", 20}});

    const Explanation alpha = explainDiagnosis(*diseases[0], user);
    EXPECT_TRUE(alpha.listed);
    ASSERT_EQ(alpha.matched.size(), 1u);
    EXPECT_EQ(alpha.matched[0].name, "Fever");
    EXPECT_EQ(alpha.matched[0].yours, 80.0f);
    EXPECT_EQ(alpha.matched[0].typical, 60.0f);
    EXPECT_FLOAT_EQ(alpha.matched[0].weight, 60.0f);
    EXPECT_FLOAT_EQ(alpha.matched[0].agreement, 0.8f);
    EXPECT_FLOAT_EQ(alpha.matched[0].points, 48.0f);
    EXPECT_EQ(alpha.missing, std::vector<std::string>{"Headache"});
    EXPECT_EQ(alpha.m, 1u);
    EXPECT_EQ(alpha.n, 2u);
    EXPECT_EQ(alpha.u, 2u);
    EXPECT_FLOAT_EQ(alpha.coverage, 0.85f);
    EXPECT_FLOAT_EQ(alpha.matchScore, 40.8f);
    EXPECT_FLOAT_EQ(alpha.frequencyTerm, 1.0f);
    EXPECT_EQ(alpha.probability, 0x1.0d1ebap+5f);

    const Explanation delta = explainDiagnosis(*diseases[3], user);
    ASSERT_EQ(delta.matched.size(), 2u);
    EXPECT_EQ(delta.matched[1].name, "Cough");
    EXPECT_EQ(delta.matched[1].agreement, 1.0f); // equal intensities agree fully
    EXPECT_FLOAT_EQ(delta.matched[0].points, 24.0f);
    EXPECT_EQ(delta.probability, 0x1.086d3ap+5f);

    const Explanation gamma = explainDiagnosis(*diseases[2], user);
    EXPECT_FALSE(gamma.listed);
    EXPECT_EQ(gamma.m, 0u);
    EXPECT_EQ(gamma.missing, std::vector<std::string>{"Rash"});
}

TEST(Explanation, RebuildsEveryProbabilityToTheBit) {
    std::mt19937 rng(20261206);
    int listed = 0;
    for (int round = 0; round < 400; ++round) {
        DiseaseList catalogue;
        const int diseases = std::uniform_int_distribution<int>(0, 12)(rng);
        for (int i = 0; i < diseases; ++i) {
            const float frequency = std::uniform_real_distribution<float>(0.0f, 1000.0f)(rng);
            catalogue.push_back(
                disease("D" + std::to_string(i), frequency, randomSymptoms(rng, 7)));
            if (rng() % 4 == 0) {
                orderSymptomsForDisplay(*catalogue.back()); // the order the window leaves
            }
        }
        const SymptomList user = randomSymptoms(rng, 6);
        const auto results = DiagnosticTools::generateDiagnostics(catalogue, user);
        for (const auto& d : catalogue) {
            const Explanation e = explainDiagnosis(*d, user);
            const Diagnostic* r = resultFor(results, d);
            ASSERT_EQ(e.listed, r != nullptr) << "round " << round << " " << d->name;
            if (!r) {
                continue;
            }
            ++listed;
            ASSERT_EQ(bits(e.probability), bits(r->probability)) << "round " << round;
            // The terms add up as the diagnosis adds them.
            float sum = 0.0f;
            for (const auto& t : e.matched) {
                sum = sum + t.points;
            }
            ASSERT_EQ(bits(sum), bits(e.matchSum));
            ASSERT_EQ(e.m + e.missing.size(), e.n);
            ASSERT_EQ(e.u, user.size());
        }
    }
    EXPECT_GT(listed, 200); // the random catalogues did exercise the rebuild
}

TEST(Explanation, ReadsWithoutChangingAndFirstUserEntryDecides) {
    const auto d = disease("A", 10, symptomsOf({{"Fever", 60}, {"Ache", 40}}));
    const auto user = symptomsOf({{"Fever", 20}, {"Fever", 60}});
    const Explanation e = explainDiagnosis(*d, user);
    ASSERT_EQ(e.matched.size(), 1u);
    EXPECT_EQ(e.matched[0].yours, 20.0f);
    EXPECT_EQ(d->symptoms[0]->name(), "Fever"); // the catalogue's order is left alone
    EXPECT_EQ(d->symptoms[1]->name(), "Ache");
}

TEST(WhyThisResult, WordsForAPatient) {
    const DiseaseList diseases =
        DatabaseTools::loadDiseases(testData("catalogues/worked-example.plist"));
    const auto user = symptomsOf({{"Fever", 80}, {"Cough", 20}});
    const WhyThisResult alpha = whyThisResult(explainDiagnosis(*diseases[0], user), 50.0f);
    ASSERT_EQ(alpha.matched.size(), 1u);
    // 48 points x 0.85 x 0.8 of the 33.64.
    EXPECT_EQ(alpha.matched[0], "Fever: you entered Very High, typical is High \u2014 32.6 of 33.6 "
                                "points");
    EXPECT_EQ(alpha.missing, "Typical symptoms you did not enter: Headache.");
    EXPECT_EQ(alpha.frequency, "How common it is (50 in 1000 patients) added 1.0 points.");
    EXPECT_EQ(alpha.summary,
              "You have 1 of its 2 typical symptoms, and it accounts for 1 of your 2 "
              "symptoms. Together they give 33.6 points out of 100.");

    const WhyThisResult beta = whyThisResult(explainDiagnosis(*diseases[1], user), 0.0f);
    EXPECT_EQ(beta.matched[0], "Fever: you entered Very High, typical is Very High \u2014 76.0 of "
                               "76.0 points");
    EXPECT_EQ(beta.missing, "You entered every one of its typical symptoms.");

    const WhyThisResult gamma = whyThisResult(explainDiagnosis(*diseases[2], user), 900.0f);
    EXPECT_TRUE(gamma.matched.empty());
    EXPECT_TRUE(gamma.frequency.empty()); // it adds nothing to a result that is not there
    EXPECT_NE(gamma.summary.find("not among the possible causes"), std::string::npos);
    // A frequency that adds a little is not said to add nothing.
    const auto rare = disease("Rare", 2, symptomsOf({{"Fever", 80}}));
    EXPECT_EQ(whyThisResult(explainDiagnosis(*rare, user), 2.0f).frequency,
              "How common it is (2 in 1000 patients) added less than 0.1 points.");
    EXPECT_EQ(whyThisResult(explainDiagnosis(*rare, user), 0.3f).frequency,
              "How common it is (fewer than 1 in 1000 patients) added less than 0.1 points.");
    // Between levels, the number itself.
    EXPECT_EQ(intensityWords(45.0f), "45");
}

TEST(AboutYou, AgeGroupsAndAnswers) {
    EXPECT_EQ(ageGroupFor(0), "baby");
    EXPECT_EQ(ageGroupFor(1), "child");
    EXPECT_EQ(ageGroupFor(15), "child");
    EXPECT_EQ(ageGroupFor(16), "adult");
    EXPECT_EQ(ageGroupFor(64), "adult");
    EXPECT_EQ(ageGroupFor(65), "older");
    EXPECT_EQ(parseAge("40"), 40);
    EXPECT_EQ(parseAge("0"), 0);
    for (const char* bad : {"", "-1", "131", "3.5", "forty", "40 ", "+4"}) {
        EXPECT_FALSE(parseAge(bad)) << bad;
    }
    EXPECT_EQ(parseSex("female"), "female");
    EXPECT_FALSE(parseSex("Female"));
    EXPECT_FALSE(parseSex(""));
    EXPECT_EQ(aboutYouText({"female", 34}), "Female, 34 years");
    EXPECT_EQ(aboutYouText({"", 1}), "1 year");
    EXPECT_EQ(aboutYouText({"male", std::nullopt}), "Male");
    EXPECT_EQ(aboutYouText({}), "");
}

TEST(AboutYou, FilterOnlyRemovesConditionsThatCannotAffectThePerson) {
    std::mt19937 rng(7);
    const std::vector<std::string> sexes{"", "female", "male"};
    const std::vector<std::vector<std::string>> ageSets{
        {}, {"baby"}, {"adult", "older"}, {"child", "adult"}, {"older"}};
    for (int round = 0; round < 100; ++round) {
        DiseaseList catalogue;
        for (int i = 0; i < 15; ++i) {
            catalogue.push_back(disease("D" + std::to_string(i), static_cast<float>(rng() % 500),
                                        randomSymptoms(rng, 5)));
            catalogue.back()->sex = sexes[rng() % sexes.size()];
            catalogue.back()->ages = ageSets[rng() % ageSets.size()];
        }
        const SymptomList user = randomSymptoms(rng, 5);
        const auto plain = DiagnosticTools::generateDiagnostics(catalogue, user);

        // Not given: exactly the plain diagnosis.
        const auto unfiltered = forPerson(plain, {});
        ASSERT_EQ(unfiltered.size(), plain.size());
        for (std::size_t i = 0; i < plain.size(); ++i) {
            ASSERT_EQ(unfiltered[i], plain[i]);
        }

        const AboutYou man{"male", static_cast<int>(rng() % 100)};
        const auto filtered = forPerson(plain, man);
        // What is kept is the plain result, in its order, less the exclusions.
        std::size_t at = 0;
        for (const auto& d : plain) {
            const bool excluded = d->disease->sex == "female" ||
                                  (!d->disease->ages.empty() &&
                                   std::find(d->disease->ages.begin(), d->disease->ages.end(),
                                             ageGroupFor(*man.age)) == d->disease->ages.end());
            if (excluded) {
                continue;
            }
            ASSERT_LT(at, filtered.size());
            ASSERT_EQ(filtered[at]->disease, d->disease);
            ASSERT_EQ(bits(filtered[at]->probability), bits(d->probability));
            ++at;
        }
        ASSERT_EQ(at, filtered.size());
        for (const auto& d : filtered) {
            ASSERT_NE(d->disease->sex, "female");
        }
    }
}

TEST(AboutYou, SexAloneOrAgeAlone) {
    auto ovary = disease("Ovarian torsion", 1, symptomsOf({{"Pain", 80}}));
    ovary->sex = "female";
    auto jaundice = disease("Newborn jaundice", 1, symptomsOf({{"Pain", 40}}));
    jaundice->ages = {"baby"};
    EXPECT_FALSE(appliesTo(*ovary, {"male", std::nullopt}));
    EXPECT_TRUE(appliesTo(*ovary, {"female", std::nullopt}));
    EXPECT_TRUE(appliesTo(*ovary, {"", 40})); // sex not given: kept
    EXPECT_FALSE(appliesTo(*jaundice, {"", 40}));
    EXPECT_TRUE(appliesTo(*jaundice, {"male", 0}));
    EXPECT_TRUE(appliesTo(*jaundice, {"male", std::nullopt}));
}

TEST(SymptomSearch, FoldsCaseAccentsAndCompatibilityForms) {
    EXPECT_EQ(searchForm("Mild CHEST Tightness"), "mild chest tightness");
    EXPECT_EQ(searchForm("M\xC3\xA9ni\xC3\xA8re"), "meniere");   // precomposed
    EXPECT_EQ(searchForm("Me\xCC\x81nie\xCC\x80re"), "meniere"); // combining marks
    EXPECT_EQ(searchForm("\xEF\xAC\x81"
                         "brosis"),
              "fibrosis"); // the fi ligature
    EXPECT_EQ(searchForm("Stra\xC3\x9F"
                         "e"),
              "strasse");
    EXPECT_EQ(searchForm("AB\xFF"), "ab\xFF"); // not UTF-8: ASCII lowered only
}

TEST(SymptomSearch, FindsAnywhereWithRegionsInButtonOrder) {
    const DiseaseList catalogue{
        disease("Angina", 30, symptomsOf({{"Chest pain", 80}, {"Fatigue", 40}}), "Heart"),
        disease("Asthma", 80, symptomsOf({{"Mild chest tightness", 60}, {"Chest pain", 40}}),
                "Lungs"),
        disease("Migraine", 150, symptomsOf({{"Fatigue", 60}, {"Vertige \xC3\xA9tour", 40}}),
                "Brain"),
        disease("Odd", 1, symptomsOf({{"Achy chest", 40}}), "Nowhere"),
    };
    const auto index = symptomIndex(catalogue);
    std::vector<std::string> names;
    for (const auto& e : index) {
        names.push_back(e.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Achy chest", "Chest pain", "Fatigue",
                                               "Mild chest tightness", "Vertige \xC3\xA9tour"}));
    const auto found = findSymptoms(index, "chest");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(index[found[1]].name, "Chest pain");
    EXPECT_EQ(index[found[2]].name, "Mild chest tightness");
    // Lungs (third button) comes before Heart (fourth), whatever the catalogue order.
    EXPECT_EQ(index[found[1]].organs, (std::vector<std::size_t>{2, 3}));
    EXPECT_EQ(searchLabel(index[found[1]]), "Chest pain (Lungs; Heart)");
    EXPECT_TRUE(index[found[0]].organs.empty()); // no button offers it
    EXPECT_EQ(searchLabel(index[found[0]]), "Achy chest");

    ASSERT_EQ(findSymptoms(index, "ETOUR").size(), 1u);
    EXPECT_EQ(findSymptoms(index, "  fatigue ").size(), 1u);
    EXPECT_TRUE(findSymptoms(index, "").empty());
    EXPECT_TRUE(findSymptoms(index, "   ").empty());
    EXPECT_TRUE(findSymptoms(index, "fever").empty());
}
