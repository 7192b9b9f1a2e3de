// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "presentation/Contrast.h"
#include "presentation/DiseaseInfo.h"
#include "presentation/TableCells.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(IntensityScale, ExactLevelsOnly) {
    const char* words[] = {"Low", "Moderate", "High", "Very High", "Extremely High"};
    for (int i = 0; i < 5; ++i) {
        const auto level = intensityLevelFor(20.0f * static_cast<float>(i + 1));
        ASSERT_TRUE(level);
        EXPECT_EQ(level->word, words[i]);
    }
    EXPECT_EQ(intensityLevelFor(60.0f)->colour, (Rgba{1.0, 200.0 / 255.0, 0.0, 1.0}));
    EXPECT_EQ(intensityLevelFor(100.0f)->colour, (Rgba{1.0, 0.2, 0.0, 1.0}));
    for (float off : {59.9f, 60.1f, 50.0f, 0.0f, 120.0f, 20.000002f, NAN}) {
        EXPECT_FALSE(intensityLevelFor(off)) << off;
    }
}

TEST(TableCells, SymptomTable) {
    const auto symptoms = symptomsOf({{"Chest pain", 100}, {"", 80}, {"Odd", 50}});
    EXPECT_EQ(numberOfRows(kTableSymptom, symptoms, {}), 3);
    EXPECT_EQ(numberOfRows(kTableDiagnostic, symptoms, {}), 0);
    EXPECT_EQ(numberOfRows("Other", symptoms, {}), 0);

    const auto name = cellValue(kTableSymptom, kColumnSymptom, 0, symptoms, {});
    EXPECT_EQ(name.kind, CellValue::Kind::Text);
    EXPECT_EQ(name.text, "Chest pain");
    EXPECT_EQ(cellValue(kTableSymptom, kColumnSymptom, 1, symptoms, {}).text, "");

    // "Extremely High" is redder in the table than on the slider's label.
    const auto top = cellValue(kTableSymptom, kColumnIntensity, 0, symptoms, {});
    EXPECT_EQ(top.kind, CellValue::Kind::ColouredText);
    EXPECT_EQ(top.text, "Extremely High");
    EXPECT_EQ(top.colour, (Rgba{1.0, 30.0 / 255.0, 0.0, 1.0}));
    const auto veryHigh = cellValue(kTableSymptom, kColumnIntensity, 1, symptoms, {});
    EXPECT_EQ(veryHigh.text, "Very High");
    EXPECT_EQ(veryHigh.colour, (Rgba{1.0, 0.6, 30.0 / 255.0, 1.0}));

    const auto nothing = CellValue::Kind::Nothing;
    EXPECT_EQ(cellValue(kTableSymptom, kColumnIntensity, 2, symptoms, {}).kind, nothing);
    EXPECT_EQ(cellValue(kTableSymptom, kColumnSymptom, 3, symptoms, {}).kind, nothing);
    EXPECT_EQ(cellValue(kTableSymptom, kColumnDisease, 0, symptoms, {}).kind, nothing);
    EXPECT_EQ(cellValue("Other", kColumnSymptom, 0, symptoms, {}).kind, nothing);
}

TEST(TableCells, DiagnosisTableRoundsToOneDecimal) {
    auto disease = std::make_shared<Disease>("Flu", "", 1.0f, 20.0f, "Lungs", SymptomList{});
    DiagnosticList results;
    for (float p : {76.0f, 33.333332f, 99.96f, 0.04f, 12.345f, 0.0f, 100.0f, 0.05f, 0.25f}) {
        results.push_back(std::make_shared<Diagnostic>(disease, p));
    }
    const char* expected[] = {"76.0%", "33.3%",  "100.0%", "0.0%", "12.3%",
                              "0.0%",  "100.0%", "0.1%",   "0.2%"};
    for (std::size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(cellValue(kTableDiagnostic, kColumnProbability, i, {}, results).text,
                  expected[i]);
    }
    EXPECT_EQ(cellValue(kTableDiagnostic, kColumnDisease, 0, {}, results).text, "Flu");
    EXPECT_EQ(numberOfRows(kTableDiagnostic, {}, results), 9);
    EXPECT_EQ(cellValue(kTableDiagnostic, kColumnDisease, 9, {}, results).kind,
              CellValue::Kind::Nothing);
    EXPECT_EQ(cellValue(kTableDiagnostic, kColumnSymptom, 0, {}, results).kind,
              CellValue::Kind::Nothing);
}

TEST(DiseaseInfoTexts, TextsAndPermanentReordering) {
    Disease d("Flu", "A virus.", 12.0f, 100.0f, "Lungs",
              symptomsOf({{"Fever", 40}, {"Cough", 80}, {"Ache", 40}}));
    const auto before = d.symptoms;
    const DiseaseInfo info = diseaseInfo(d);
    EXPECT_EQ(info.name, "Flu");
    EXPECT_EQ(info.description, "A virus.");
    ASSERT_TRUE(info.gravity);
    EXPECT_EQ(info.gravity->word, "Extremely High");
    EXPECT_EQ(info.gravity->colour, (Rgba{1.0, 0.2, 0.0, 1.0}));
    EXPECT_EQ(info.frequency, "12 out of 1000 patients have this disease");
    EXPECT_EQ(info.symptoms, "Cough, Ache, Fever");
    // The disease keeps the new order, and the same records.
    ASSERT_EQ(d.symptoms.size(), 3u);
    EXPECT_EQ(d.symptoms[0], before[1]);
    EXPECT_EQ(d.symptoms[1], before[2]);
    EXPECT_EQ(d.symptoms[2], before[0]);
    EXPECT_EQ(diseaseInfo(d).symptoms, info.symptoms);
}

TEST(DiseaseInfoTexts, EdgeValues) {
    Disease none("None", "", 0.0f, 50.0f, "Heart", {});
    const auto info = diseaseInfo(none);
    EXPECT_EQ(info.symptoms, "");
    EXPECT_FALSE(info.gravity);
    EXPECT_EQ(frequencySentence(2.5f), "2 out of 1000 patients have this disease");
    EXPECT_EQ(frequencySentence(3.5f), "4 out of 1000 patients have this disease");
    EXPECT_EQ(frequencySentence(0.0f), "0 out of 1000 patients have this disease");
    // Below one in a thousand, but not nobody.
    EXPECT_EQ(frequencySentence(0.4f), "fewer than 1 out of 1000 patients have this disease");
    EXPECT_EQ(frequencySentence(0.0005f), "fewer than 1 out of 1000 patients have this disease");
    EXPECT_EQ(frequencySentence(0.5f), "fewer than 1 out of 1000 patients have this disease");
    EXPECT_EQ(frequencySentence(0.51f), "1 out of 1000 patients have this disease");
    EXPECT_EQ(frequencySentence(-1.0f), "-1 out of 1000 patients have this disease");
    // Capitals sort before small letters; an empty name is kept in the list.
    Disease mixed("M", "", 1.0f, 20.0f, "Heart",
                  symptomsOf({{"apple", 20}, {"Zebra", 20}, {"", 20}, {"Zeb", 20}}));
    EXPECT_EQ(diseaseInfo(mixed).symptoms, ", Zeb, Zebra, apple");
}

TEST(Contrast, WcagFigures) {
    EXPECT_DOUBLE_EQ(contrastRatio(kBlack, kWhite), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(kWhite, kBlack), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(kWhite, kWhite), 1.0);
    EXPECT_NEAR(relativeLuminance({0.5, 0.5, 0.5, 1.0}), 0.2140, 1e-4);
    // The level words as plain coloured text on a white window: unreadable.
    const Rgba high = intensityLevelFor(60.0f)->colour;
    EXPECT_NEAR(contrastRatio(high, kWhite), 1.6, 0.1);
    EXPECT_LT(contrastRatio(intensityLevelFor(20.0f)->colour, kWhite), kMinimumTextContrast);
    // Dark grey on the table's "Extremely High" would not do; the badge text must be black.
    EXPECT_LT(contrastRatio(intensityCell(100.0f)->colour, {0.125, 0.125, 0.125, 1.0}),
              kMinimumTextContrast);
}

TEST(Contrast, EveryLevelBadgeIsReadable) {
    for (const auto& level : kIntensityLevels) {
        // The badge keeps the level's own colour; its word is drawn in black.
        const Rgba text = badgeTextColour(level.colour);
        EXPECT_EQ(text, kBlack) << level.word;
        EXPECT_GE(contrastRatio(level.colour, text), kMinimumTextContrast) << level.word;
        const auto cell = intensityCell(level.value);
        ASSERT_TRUE(cell);
        EXPECT_GE(contrastRatio(cell->colour, badgeTextColour(cell->colour)), kMinimumTextContrast)
            << level.word;
    }
    EXPECT_EQ(badgeTextColour({0.1, 0.1, 0.4, 1.0}), kWhite); // a dark fill gets white text
}
