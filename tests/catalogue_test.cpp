// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped catalogue: it covers every organ and every critical symptom, and
// it ranks presentations written without sight of its symptom lists the way a
// doctor would. tests/data/cases/words.md holds what each patient says
// (condition, sex and age, words); picked.txt what a patient picked from the
// symptom lists for those words. The two are joined by ID.

#include "TestSupport.h"
#include "cli/Cli.h"
#include "engine/DiagnosticTools.h"
#include "model/DatabaseTools.h"
#include "model/Names.h"
#include "model/NumberText.h"
#include "model/Organs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

const std::filesystem::path kCases = SANORIA_CASES_DIR;

struct Case {
    std::string where;     // "words.md:LINE" of the "## ID" line
    std::string condition; // the condition the patient has
    bool picked = false;   // picked.txt has a block for it
    SymptomList symptoms;
};

// The condition each presentation was written for; the patient's words are
// for people.
std::map<std::string, Case> readWords() {
    std::map<std::string, Case> cases;
    for (auto& [id, block] : readCaseBlocks(kCases / "words.md")) {
        cases[id] = Case{block.where, block.fields["condition"], false, {}};
    }
    return cases;
}

// A block may be empty: a complaint the lists have no name for.
void readPicked(std::map<std::string, Case>& cases) {
    for (auto& [id, symptoms] : readPickedSymptoms(kCases / "picked.txt")) {
        const auto found = cases.find(id);
        if (found == cases.end()) {
            ADD_FAILURE() << "picked.txt: words.md has no presentation " << id;
            continue;
        }
        found->second.picked = true;
        found->second.symptoms = std::move(symptoms);
    }
}

} // namespace

TEST(ShippedCatalogue, CoversEveryOrganAndEveryCriticalSymptom) {
    const DiseaseList diseases = DatabaseTools::loadDiseases();
    EXPECT_GE(diseases.size(), 600u);

    for (const auto& organ : kOrgans) {
        const auto count =
            std::count_if(diseases.begin(), diseases.end(),
                          [&](const DiseasePtr& d) { return d->organ == organ.key; });
        EXPECT_GE(count, 30) << organ.key;
    }
    auto listed = [&](std::string_view name) {
        return std::any_of(diseases.begin(), diseases.end(), [&](const DiseasePtr& d) {
            return std::any_of(d->symptoms.begin(), d->symptoms.end(),
                               [&](const SymptomPtr& s) { return s->name() == name; });
        });
    };
    for (const auto risk : kRiskSymptoms) {
        EXPECT_TRUE(listed(risk)) << risk;
    }
    EXPECT_TRUE(listed(kCrisisSymptom)) << kCrisisSymptom;
}

TEST(ShippedCatalogue, RanksBlindPresentations) {
    const DiseaseList diseases = DatabaseTools::loadDiseases();
    std::map<std::string, DiseasePtr> byName;
    std::set<std::string> offered;
    for (const auto& d : diseases) {
        byName[nameKey(d->name)] = d;
        for (const auto& s : d->symptoms) {
            offered.insert(nameKey(s->name()));
        }
    }

    auto cases = readWords();
    readPicked(cases);
    ASSERT_GE(cases.size(), 400u);

    int first = 0;
    int topThree = 0;
    std::vector<std::string> graveMissed;
    for (const auto& [id, c] : cases) {
        EXPECT_TRUE(c.picked) << c.where << ": picked.txt has no block for " << id;
        const auto known = byName.find(nameKey(c.condition));
        if (known == byName.end()) {
            ADD_FAILURE() << c.where << ": " << id << " names \"" << c.condition
                          << "\", which the catalogue does not have";
            continue;
        }
        for (const auto& s : c.symptoms) {
            EXPECT_TRUE(offered.count(nameKey(s->name())))
                << id << ": no condition lists \"" << s->name() << '"';
            EXPECT_TRUE(s->intensity >= 20.0f && s->intensity <= 100.0f) << id << ": " << s->name();
        }

        const DiagnosticList ranked = DiagnosticTools::generateDiagnostics(diseases, c.symptoms);
        const auto hit = std::find_if(ranked.begin(), ranked.end(), [&](const DiagnosticPtr& r) {
            return r->disease == known->second;
        });
        const auto rank = hit - ranked.begin();
        first += rank == 0 ? 1 : 0;
        topThree += rank < 3 ? 1 : 0;
        if (rank >= 3 && known->second->gravity >= 100.0f) {
            graveMissed.push_back(id + " " + c.condition);
        }
        if (rank != 0) {
            std::printf("  %s %s ranked %s, first is %s\n", id.c_str(), c.condition.c_str(),
                        hit == ranked.end() ? "nowhere" : std::to_string(rank + 1).c_str(),
                        ranked.empty() ? "nothing" : ranked.front()->disease->name.c_str());
        }
    }

    const double n = static_cast<double>(cases.size());
    std::printf("%zu presentations: right condition first in %.1f %%, in the top three in "
                "%.1f %%; emergency conditions outside the top three: %zu\n",
                cases.size(), 100.0 * first / n, 100.0 * topThree / n, graveMissed.size());
    EXPECT_GE(100.0 * first / n, 60.0);
    EXPECT_GE(100.0 * topThree / n, 85.0);
    for (const auto& missed : graveMissed) {
        ADD_FAILURE() << missed << ": an emergency condition outside the top three";
    }
}

TEST(ShippedCatalogue, CheckFindsNothingToFix) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runCli({"check"}, out, err), 0) << out.str() << err.str();
}
