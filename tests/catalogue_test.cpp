// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped catalogue: it covers every organ and every critical symptom, and
// it ranks the typical presentations of tests/data/cases the way a doctor would.

#include "cli/Cli.h"
#include "engine/DiagnosticTools.h"
#include "model/DatabaseTools.h"
#include "model/Organs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
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

struct Case {
    std::string where;    // "file:line" of the "> " line
    std::string expected; // the disease a doctor would name first
    SymptomList symptoms;
};

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// One file per organ. "> NAME" starts a case; each following "SYMPTOM=INTENSITY"
// line (split at the last '=') adds a symptom; '#' lines and blank lines are skipped.
std::vector<Case> readCases(const std::filesystem::path& dir) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.is_regular_file() && entry.path().extension() == ".txt")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());

    std::vector<Case> cases;
    for (const auto& file : files) {
        std::ifstream in(file);
        std::string raw;
        for (int number = 1; std::getline(in, raw); ++number) {
            const std::string where = file.filename().string() + ":" + std::to_string(number);
            const std::string_view line = trimmed(raw);
            if (line.empty() || line.front() == '#')
                continue;
            if (line.substr(0, 2) == "> ") {
                cases.push_back({where, std::string(line.substr(2)), {}});
                continue;
            }
            const auto eq = line.rfind('=');
            float intensity = 0.0f;
            bool ok = !cases.empty() && eq != std::string_view::npos;
            if (ok) {
                const char* end = line.data() + line.size();
                const auto [ptr, ec] = std::from_chars(line.data() + eq + 1, end, intensity);
                ok = ec == std::errc() && ptr == end;
            }
            if (!ok) {
                ADD_FAILURE() << where << ": not a symptom line of a case: " << line;
                continue;
            }
            cases.back().symptoms.push_back(
                makeSymptom(std::string(line.substr(0, eq)), intensity));
        }
    }
    return cases;
}

} // namespace

TEST(ShippedCatalogue, CoversEveryOrganAndEveryCriticalSymptom) {
    const DiseaseList diseases = DatabaseTools::loadDiseases();

    for (const auto& organ : kOrgans) {
        const auto count =
            std::count_if(diseases.begin(), diseases.end(),
                          [&](const DiseasePtr& d) { return d->organ == organ.key; });
        EXPECT_GE(count, 15) << organ.key;
    }
    for (const auto risk : kRiskSymptoms) {
        const bool listed = std::any_of(diseases.begin(), diseases.end(), [&](const DiseasePtr& d) {
            return std::any_of(d->symptoms.begin(), d->symptoms.end(),
                               [&](const SymptomPtr& s) { return s->name == risk; });
        });
        EXPECT_TRUE(listed) << risk;
    }
}

TEST(ShippedCatalogue, RanksTypicalPresentationsFirst) {
    const DiseaseList diseases = DatabaseTools::loadDiseases();
    std::map<std::string, std::string> organOf;
    std::set<std::string> offered;
    for (const auto& d : diseases) {
        organOf[d->name] = d->organ;
        for (const auto& s : d->symptoms)
            offered.insert(s->name);
    }

    const std::vector<Case> cases = readCases(SANORIA_CASES_DIR);
    ASSERT_GE(cases.size(), 80u);

    std::map<std::string, int> casesPerOrgan;
    int first = 0;
    int topThree = 0;
    for (const Case& c : cases) {
        const auto known = organOf.find(c.expected);
        EXPECT_NE(known, organOf.end()) << c.where << ": no disease named \"" << c.expected << '"';
        if (known != organOf.end())
            ++casesPerOrgan[known->second];
        EXPECT_FALSE(c.symptoms.empty()) << c.where;
        for (const auto& s : c.symptoms) {
            EXPECT_TRUE(offered.count(s->name))
                << c.where << ": no disease lists \"" << s->name << '"';
            EXPECT_TRUE(s->intensity >= 20.0f && s->intensity <= 100.0f)
                << c.where << ": " << s->name;
        }

        const DiagnosticList ranked = DiagnosticTools::generateDiagnostics(diseases, c.symptoms);
        const auto hit = std::find_if(ranked.begin(), ranked.end(), [&](const DiagnosticPtr& r) {
            return r->disease->name == c.expected;
        });
        const auto rank = hit - ranked.begin();
        if (rank == 0)
            ++first;
        if (rank < 3)
            ++topThree;
        if (rank != 0 && !ranked.empty())
            std::printf("  %s: %s ranked %s, first is %s\n", c.where.c_str(), c.expected.c_str(),
                        hit == ranked.end() ? "nowhere" : std::to_string(rank + 1).c_str(),
                        ranked.front()->disease->name.c_str());
    }
    for (const auto& organ : kOrgans)
        EXPECT_GE(casesPerOrgan[std::string(organ.key)], 5) << "too few cases for " << organ.key;

    const double n = static_cast<double>(cases.size());
    std::printf("%zu cases: right disease first in %.1f %%, in the top three in %.1f %%\n",
                cases.size(), 100.0 * first / n, 100.0 * topThree / n);
    EXPECT_GE(100.0 * first / n, 70.0);
    EXPECT_GE(100.0 * topThree / n, 90.0);
}

TEST(ShippedCatalogue, CheckFindsNothingToFix) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runCli({"check"}, out, err), 0) << out.str() << err.str();
}
