// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Blind presentations in a patient's own words, labelled with the care level a
// clinician gives (tests/data/triage/presentations.md), and the symptoms a
// patient would pick for them (symptoms.txt). The care level must catch every
// emergency and rarely send a self-care case to the emergency department.

#include "TestSupport.h"
#include "engine/DiagnosticTools.h"
#include "engine/Triage.h"
#include "model/DatabaseTools.h"
#include "model/Names.h"
#include "model/NumberText.h"
#include "presentation/IntensityLevel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

const std::filesystem::path kDir = std::filesystem::path(SANORIA_TEST_DATA) / "triage";

struct Presentation {
    std::string id;
    std::string label; // the clinician's care level
    std::string thought;
    SymptomList symptoms;
};

// The clinician's label and the condition in mind, by ID.
std::map<std::string, Presentation> readLabels() {
    std::map<std::string, Presentation> all;
    for (auto& [id, block] : readCaseBlocks(kDir / "presentations.md")) {
        all[id] = Presentation{id, block.fields["label"], block.fields["thought"], {}};
    }
    return all;
}

// The picked symptoms, joined to their presentations by ID.
void readSymptoms(std::map<std::string, Presentation>& all) {
    for (auto& [id, symptoms] : readPickedSymptoms(kDir / "symptoms.txt")) {
        const auto found = all.find(id);
        if (found == all.end()) {
            ADD_FAILURE() << "symptoms.txt: no presentation " << id;
            continue;
        }
        found->second.symptoms = std::move(symptoms);
    }
}

constexpr std::array kLevels{CareLevel::Emergency, CareLevel::Urgent, CareLevel::Doctor,
                             CareLevel::SelfCare};

} // namespace

TEST(TriageCases, FloorsHoldOnBlindPresentations) {
    const DiseaseList diseases = DatabaseTools::loadDiseases();
    std::set<std::string> offered;
    for (const auto& d : diseases) {
        for (const auto& s : d->symptoms) {
            offered.insert(nameKey(s->name()));
        }
    }
    auto all = readLabels();
    readSymptoms(all);
    ASSERT_GE(all.size(), 90u);

    // table[label][level]
    std::map<std::string, std::map<std::string, int>> table;
    int exact = 0;
    for (const auto& [id, p] : all) {
        const bool known = std::any_of(kLevels.begin(), kLevels.end(),
                                       [&](CareLevel l) { return careLevelKey(l) == p.label; });
        EXPECT_TRUE(known) << id << ": label \"" << p.label << '"';
        ASSERT_FALSE(p.symptoms.empty()) << id << " has no symptoms";
        for (const auto& s : p.symptoms) {
            EXPECT_TRUE(offered.count(nameKey(s->name()))) << id << ": no disease lists " << s->name();
            EXPECT_TRUE(intensityLevelFor(s->intensity).has_value()) << id << ": " << s->name();
        }
        const DiagnosticList ranked = DiagnosticTools::generateDiagnostics(diseases, p.symptoms);
        const CareAdvice advice = assessCare(diseases, p.symptoms, ranked);
        const std::string level(careLevelKey(advice.level));
        ++table[p.label][level];
        if (level == p.label) {
            ++exact;
        } else {
            std::string top;
            for (std::size_t i = 0; i < ranked.size() && i < 3; ++i) {
                top += (i ? ", " : "") + ranked[i]->disease->name;
            }
            std::printf("  %s (%s, %s) got %s: %s\n", id.c_str(), p.label.c_str(),
                        p.thought.c_str(), level.c_str(), top.c_str());
        }
    }

    std::printf("\n%-10s", "label");
    for (const CareLevel l : kLevels) {
        std::printf(" %10s", std::string(careLevelKey(l)).c_str());
    }
    std::printf("\n");
    for (const CareLevel row : kLevels) {
        const std::string label(careLevelKey(row));
        std::printf("%-10s", label.c_str());
        for (const CareLevel column : kLevels) {
            std::printf(" %10d", table[label][std::string(careLevelKey(column))]);
        }
        std::printf("\n");
    }
    const int total = static_cast<int>(all.size());
    auto count = [&](const char* label, const char* level) { return table[label][level]; };
    int emergencies = 0;
    int selfCare = 0;
    for (const auto& [level, n] : table["emergency"]) {
        emergencies += n;
    }
    for (const auto& [level, n] : table["self-care"]) {
        selfCare += n;
    }
    const int caught = count("emergency", "emergency") + count("emergency", "urgent");
    const int overcalled = count("self-care", "emergency");
    std::printf("%d cases: exact %d (%.1f %%); emergencies caught %d of %d; self-care sent to "
                "emergency %d of %d\n",
                total, exact, 100.0 * exact / total, caught, emergencies, overcalled, selfCare);

    EXPECT_GE(emergencies, 30);
    EXPECT_GE(selfCare, 30);
    EXPECT_EQ(caught, emergencies) << "every emergency gets emergency or urgent";
    EXPECT_LE(overcalled * 15, selfCare) << "at most one self-care case in fifteen as emergency";
    EXPECT_GE(100.0 * exact / total, 70.0);
}
