// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "engine/DiagnosticTools.h"
#include "engine/Triage.h"
#include "model/Organs.h"
#include "presentation/CareStyle.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

// A condition whose one symptom, so its main one, is `main`.
DiseasePtr condition(const std::string& name, float gravity, const char* main = "Fever") {
    return std::make_shared<Disease>(name, "", 10.0f, gravity, "Heart", symptomsOf({{main, 60}}));
}

// A ranked result: the conditions in the order given, probabilities falling.
DiagnosticList ranked(const std::vector<DiseasePtr>& order) {
    DiagnosticList list;
    float probability = 90.0f;
    for (const auto& d : order) {
        list.push_back(std::make_shared<Diagnostic>(d, probability));
        probability -= 10.0f;
    }
    return list;
}

const std::vector<std::string> kNone;

} // namespace

TEST(Triage, LevelWordsAndAdvice) {
    EXPECT_EQ(careLevelKey(CareLevel::Emergency), "emergency");
    EXPECT_EQ(careLevelKey(CareLevel::Urgent), "urgent");
    EXPECT_EQ(careLevelKey(CareLevel::Doctor), "doctor");
    EXPECT_EQ(careLevelKey(CareLevel::SelfCare), "self-care");
    EXPECT_EQ(careLevelAdvice(CareLevel::Emergency),
              "Call your local emergency number or go to the nearest emergency department now.");
    EXPECT_EQ(careLevelAdvice(CareLevel::Urgent), "See a doctor today.");
    EXPECT_EQ(careLevelAdvice(CareLevel::Doctor),
              "Make an appointment with your doctor in the next few days.");
    EXPECT_EQ(careLevelAdvice(CareLevel::SelfCare),
              "This can usually be looked after at home; see a doctor if it gets worse or does "
              "not improve.");
    EXPECT_EQ(careLevelTitle(CareLevel::Emergency), "Emergency");
    // Four different titles: a reader must never confuse two levels.
    EXPECT_NE(careLevelTitle(CareLevel::Emergency), careLevelTitle(CareLevel::Urgent));
    EXPECT_NE(careLevelTitle(CareLevel::Urgent), careLevelTitle(CareLevel::Doctor));
    EXPECT_NE(careLevelTitle(CareLevel::Doctor), careLevelTitle(CareLevel::SelfCare));
}

TEST(Triage, GravitySetsTheLevel) {
    EXPECT_EQ(careLevelForGravity(100), CareLevel::Emergency);
    EXPECT_EQ(careLevelForGravity(80), CareLevel::Urgent);
    EXPECT_EQ(careLevelForGravity(60), CareLevel::Doctor);
    EXPECT_EQ(careLevelForGravity(40), CareLevel::SelfCare);
    EXPECT_EQ(careLevelForGravity(20), CareLevel::SelfCare);
    // Off the scale: the step below applies.
    EXPECT_EQ(careLevelForGravity(99), CareLevel::Urgent);
    EXPECT_EQ(careLevelForGravity(59.5f), CareLevel::SelfCare);
    EXPECT_EQ(careLevelForGravity(150), CareLevel::Emergency);
    EXPECT_EQ(careLevelForGravity(NAN), CareLevel::Doctor);
}

TEST(Triage, CriticalAndCrisisSymptoms) {
    for (const auto name : kRiskSymptoms) {
        EXPECT_TRUE(isCriticalSymptom(name, 80)) << name;
        EXPECT_TRUE(isCriticalSymptom(name, 100)) << name;
        EXPECT_FALSE(isCriticalSymptom(name, 79.99f)) << name;
        EXPECT_FALSE(isCriticalSymptom(name, NAN)) << name;
    }
    EXPECT_FALSE(isCriticalSymptom("chest pain", 100)); // other capitals: another symptom
    EXPECT_FALSE(isCriticalSymptom("Chest pain ", 100));
    EXPECT_FALSE(isCriticalSymptom("Headache", 100));
    EXPECT_FALSE(isCriticalSymptom(kCrisisSymptom, 100)); // crisis is its own rule

    EXPECT_TRUE(isCrisisSymptom(kCrisisSymptom, 20));
    EXPECT_TRUE(isCrisisSymptom(kCrisisSymptom, 0.5f));
    EXPECT_FALSE(isCrisisSymptom(kCrisisSymptom, 0));
    EXPECT_FALSE(isCrisisSymptom(kCrisisSymptom, NAN));
    EXPECT_FALSE(isCrisisSymptom("Thoughts of self-harm", 100));
    EXPECT_FALSE(isCrisisSymptom("Chest pain", 100));
}

TEST(Triage, MostUrgentOfTheTopThreeResults) {
    const auto flu = condition("Flu", 40);
    const auto cold = condition("Cold", 20);
    const auto pneumonia = condition("Pneumonia", 80);
    const auto embolism = condition("Pulmonary embolism", 100);
    const auto bronchitis = condition("Bronchitis", 60);
    const auto symptoms = symptomsOf({{"Fever", 60}});

    // The fourth result, however grave, does not count.
    const auto selfCare = assessCare({}, symptoms, ranked({flu, cold, flu, embolism}));
    EXPECT_EQ(selfCare.level, CareLevel::SelfCare);
    EXPECT_EQ(selfCare.conditions, (std::vector<std::string>{"Flu", "Cold"}));
    EXPECT_EQ(
        selfCare.reasons,
        (std::vector<std::string>{
            "Flu is among the most likely causes and can usually be looked after at home.",
            "Cold is among the most likely causes and can usually be looked after at home."}));
    EXPECT_FALSE(selfCare.critical);
    EXPECT_FALSE(selfCare.crisis);

    // The third one does, whatever comes first.
    const auto urgent = assessCare({}, symptoms, ranked({flu, bronchitis, pneumonia}));
    EXPECT_EQ(urgent.level, CareLevel::Urgent);
    EXPECT_EQ(urgent.conditions, std::vector<std::string>{"Pneumonia"});
    EXPECT_EQ(urgent.reasons, std::vector<std::string>{
                                  "Pneumonia is among the most likely causes and needs a doctor "
                                  "today."});

    const auto doctor = assessCare({}, symptoms, ranked({bronchitis, flu}));
    EXPECT_EQ(doctor.level, CareLevel::Doctor);
    EXPECT_EQ(doctor.reasons, std::vector<std::string>{
                                  "Bronchitis is among the most likely causes and should be seen "
                                  "by a doctor within a few days."});

    const auto emergency = assessCare({}, symptoms, ranked({pneumonia, embolism, cold}));
    EXPECT_EQ(emergency.level, CareLevel::Emergency);
    EXPECT_EQ(emergency.conditions, std::vector<std::string>{"Pulmonary embolism"});
    EXPECT_EQ(emergency.reasons,
              std::vector<std::string>{
                  "Pulmonary embolism is among the most likely causes and needs emergency care."});
    EXPECT_FALSE(emergency.critical);
}

TEST(Triage, CriticalSymptomIsAnEmergency) {
    const auto cold = condition("Cold", 20);
    const auto angina = condition("Angina", 80);
    const auto attack = condition("Heart attack", 100, "Chest pain");

    // Stronger than any result, and named in the reasons in entry order.
    const auto a =
        assessCare({}, symptomsOf({{"Wheezing", 80}, {"Fever", 100}, {"Chest pain", 100}}),
                   ranked({cold, angina}));
    EXPECT_EQ(a.level, CareLevel::Emergency);
    EXPECT_TRUE(a.critical);
    EXPECT_FALSE(a.crisis);
    EXPECT_EQ(a.conditions, kNone); // no result raised it
    EXPECT_EQ(a.reasons, (std::vector<std::string>{"Wheezing this strong can be a sign of an "
                                                   "emergency.",
                                                   "Chest pain this strong can be a sign of an "
                                                   "emergency."}));

    // A grave result adds its own reason after the symptom's.
    const auto b = assessCare({}, symptomsOf({{"Chest pain", 80}}), ranked({angina, attack}));
    EXPECT_EQ(b.level, CareLevel::Emergency);
    EXPECT_EQ(b.conditions, std::vector<std::string>{"Heart attack"});
    ASSERT_EQ(b.reasons.size(), 2u);
    EXPECT_EQ(b.reasons[1],
              "Heart attack is among the most likely causes and needs emergency care.");

    // Below the critical intensity the results alone decide.
    const auto c = assessCare({}, symptomsOf({{"Chest pain", 60}}), ranked({angina, cold}));
    EXPECT_EQ(c.level, CareLevel::Urgent);
    EXPECT_FALSE(c.critical);
}

TEST(Triage, EmergencyNeedsItsMainSymptom) {
    const auto ischemia = std::make_shared<Disease>(
        "Mesenteric ischemia", "", 0.1f, 100.0f, "Intestines",
        symptomsOf({{"Vomiting", 60}, {"Abdominal pain", 100}, {"Diarrhea", 60}}));
    const auto tummyBug = condition("Gastroenteritis", 40, "Diarrhea");
    const auto plain = symptomsOf({{"Vomiting", 40}, {"Diarrhea", 40}});
    EXPECT_EQ(mainSymptoms(*ischemia), std::vector<std::string>{"Abdominal pain"});
    // The defining symptoms are those at 80 or more; below that, the strongest.
    const auto dissection = std::make_shared<Disease>(
        "Aortic dissection", "", 0.1f, 100.0f, "Heart",
        symptomsOf({{"Back pain", 100}, {"Chest pain", 80}, {"Fainting", 60}}));
    EXPECT_EQ(mainSymptoms(*dissection), (std::vector<std::string>{"Back pain", "Chest pain"}));
    EXPECT_EQ(careLevelForResult(*dissection, symptomsOf({{"Chest pain", 60}})),
              CareLevel::Emergency);
    EXPECT_EQ(careLevelForResult(*dissection, symptomsOf({{"Fainting", 60}})), CareLevel::Urgent);
    const auto mild =
        std::make_shared<Disease>("Odd", "", 1.0f, 100.0f, "Heart",
                                  symptomsOf({{"A", 40}, {"B", 60}, {"C", 60}, {"D", NAN}}));
    EXPECT_EQ(mainSymptoms(*mild), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(careLevelForResult(*ischemia, plain), CareLevel::Urgent);

    // Still a doctor today, and said why.
    const auto without = assessCare({}, plain, ranked({ischemia, tummyBug}));
    EXPECT_EQ(without.level, CareLevel::Urgent);
    EXPECT_EQ(without.conditions, std::vector<std::string>{"Mesenteric ischemia"});
    EXPECT_EQ(without.reasons,
              std::vector<std::string>{
                  "Mesenteric ischemia is among the most likely causes. It is an emergency when "
                  "it comes with \"Abdominal pain\", which you did not enter; without that, see a "
                  "doctor today to rule it out."});

    // With its main symptom, however mild, an emergency.
    const auto with = symptomsOf({{"Vomiting", 40}, {"Abdominal pain", 20}});
    EXPECT_EQ(careLevelForResult(*ischemia, with), CareLevel::Emergency);
    const auto advice = assessCare({}, with, ranked({tummyBug, ischemia}));
    EXPECT_EQ(advice.level, CareLevel::Emergency);
    EXPECT_EQ(advice.reasons, std::vector<std::string>{"Mesenteric ischemia is among the most "
                                                       "likely causes and needs emergency care."});

    // Only emergencies are held to it.
    EXPECT_EQ(careLevelForResult(*condition("Pneumonia", 80, "Cough"), plain), CareLevel::Urgent);
    EXPECT_EQ(careLevelForResult(*condition("Flu", 40, "Cough"), plain), CareLevel::SelfCare);

    // Equal highest intensities are all main; any one of them will do.
    const auto arthritis = std::make_shared<Disease>(
        "Septic arthritis", "", 0.1f, 100.0f, "Muscles & Bones",
        symptomsOf({{"Fever", 100}, {"Chills", 60}, {"Joint pain", 100}, {"Joint swelling", 100}}));
    EXPECT_EQ(mainSymptoms(*arthritis),
              (std::vector<std::string>{"Fever", "Joint pain", "Joint swelling"}));
    EXPECT_EQ(careLevelForResult(*arthritis, symptomsOf({{"Joint pain", 40}})),
              CareLevel::Emergency);
    const auto chills = assessCare({}, symptomsOf({{"Chills", 60}}), ranked({arthritis}));
    EXPECT_EQ(chills.level, CareLevel::Urgent);
    EXPECT_NE(chills.reasons.at(0).find("with \"Fever\", \"Joint pain\" or \"Joint swelling\","),
              std::string::npos)
        << chills.reasons[0];
}

TEST(Triage, CrisisComesFirstAtAnyIntensity) {
    const auto depression = condition("Depression", 60);
    const auto a =
        assessCare({}, symptomsOf({{"Low mood", 80}, {std::string(kCrisisSymptom).c_str(), 20}}),
                   ranked({depression}));
    EXPECT_EQ(a.level, CareLevel::Emergency);
    EXPECT_TRUE(a.crisis);
    EXPECT_FALSE(a.critical);
    EXPECT_EQ(a.conditions, kNone);
    EXPECT_EQ(a.reasons, std::vector<std::string>{"If you are thinking about harming yourself, "
                                                  "call your local emergency number or a crisis "
                                                  "line now."});

    const auto b = assessCare(
        {}, symptomsOf({{"Palpitations", 100}, {std::string(kCrisisSymptom).c_str(), 100}}), {});
    EXPECT_TRUE(b.critical);
    EXPECT_TRUE(b.crisis);
    ASSERT_EQ(b.reasons.size(), 2u);
    EXPECT_EQ(b.reasons[0].rfind("If you are thinking about harming yourself", 0), 0u);
    EXPECT_EQ(b.reasons[1], "Palpitations this strong can be a sign of an emergency.");
}

TEST(Triage, NothingMatchedIsNoReasonToStayHome) {
    const auto none = assessCare({}, symptomsOf({{"Itchy elbow", 40}}), {});
    EXPECT_EQ(none.level, CareLevel::Doctor);
    EXPECT_EQ(none.conditions, kNone);
    EXPECT_EQ(none.reasons, std::vector<std::string>{"None of the conditions Sanoria knows "
                                                     "matches these symptoms, so it cannot tell "
                                                     "how serious they are."});
    EXPECT_EQ(assessCare({}, {}, {}).level, CareLevel::Doctor);
    // A critical symptom still speaks for itself.
    const auto critical = assessCare({}, symptomsOf({{"Fainting", 100}}), {});
    EXPECT_EQ(critical.level, CareLevel::Emergency);
    EXPECT_EQ(critical.reasons.size(), 1u);
}

TEST(Triage, ReadsTheDiagnosisWithoutChangingIt) {
    const DiseaseList catalogue{condition("Cold", 20), condition("Angina", 80)};
    const auto symptoms = symptomsOf({{"Fever", 60}});
    const auto results = DiagnosticTools::generateDiagnostics(catalogue, symptoms);
    ASSERT_EQ(results.size(), 2u);
    const std::vector<float> before{results[0]->probability, results[1]->probability};
    const auto advice = assessCare(catalogue, symptoms, results);
    EXPECT_EQ(advice.level, CareLevel::Urgent);
    EXPECT_EQ(results[0]->disease, catalogue[0]);
    EXPECT_EQ((std::vector<float>{results[0]->probability, results[1]->probability}), before);
    EXPECT_EQ(catalogue[1]->gravity, 80.0f);
}

TEST(CareStyle, ContrastFollowsTheLuminanceFormula) {
    const Rgba white{1, 1, 1, 1};
    const Rgba black{0, 0, 0, 1};
    const Rgba grey{0x77 / 255.0, 0x77 / 255.0, 0x77 / 255.0, 1};
    EXPECT_DOUBLE_EQ(contrastRatio(black, white), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(white, black), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(grey, grey), 1.0);
    // #777 on white is the well-known near miss: just under 4.5.
    EXPECT_NEAR(contrastRatio(grey, white), 4.48, 0.005);
    EXPECT_NEAR(relativeLuminance({1, 0, 0, 1}), 0.2126, 1e-12);
}

TEST(CareStyle, EveryLevelReadableAndDistinct) {
    const std::array levels{CareLevel::Emergency, CareLevel::Urgent, CareLevel::Doctor,
                            CareLevel::SelfCare};
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const CareStyle a = careStyleFor(levels[i]);
        EXPECT_GE(contrastRatio(a.text, a.background), kMinimumTextContrast)
            << careLevelKey(levels[i]);
        for (std::size_t j = i + 1; j < levels.size(); ++j) {
            const CareStyle b = careStyleFor(levels[j]);
            EXPECT_NE(a.background, b.background) << careLevelKey(levels[i]);
            EXPECT_NE(a.icon, b.icon) << careLevelKey(levels[i]);
        }
    }
}
