// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"
#include "TestSupport.h"
#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string kExample = testData("catalogues/worked-example.plist").string();
const std::string kExtras = testData("catalogues/extras.plist").string();

bool lists(const std::string& out, const std::string& disease) {
    return out.find("\t" + disease + "\n") != std::string::npos;
}

} // namespace

TEST(CliExplain, TextForAPatient) {
    const auto r = cli({"explain", "--catalogue", kExample, "Alpha", "Fever=80", "Cough=20"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Alpha: 33.6%\n"
                     "You have 1 of its 2 typical symptoms, and it accounts for 1 of your 2 "
                     "symptoms. Together they give 33.6 points out of 100.\n"
                     "  Fever: you entered Very High, typical is High \u2014 32.6 of 33.6 points\n"
                     "Typical symptoms you did not enter: Headache.\n"
                     "How common it is (50 in 1000 patients) added 1.0 points.\n");
}

TEST(CliExplain, JsonTermsMatchTheDiagnosis) {
    const auto r =
        cli({"explain", "--json", "--catalogue", kExample, "Delta", "Fever=80", "Cough=20"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "{\"disease\": \"Delta\", \"probability\": 33.053333, \"matchScore\": "
                     "41.066666, \"coverage\": {\"m\": 2, \"n\": 3, \"u\": 2, \"factor\": "
                     "0.93333334}, \"frequencyTerm\": 0.2, \"matched\": [{\"name\": \"Fever\", "
                     "\"yours\": 80, \"typical\": 40, \"weight\": 40, \"agreement\": 0.6, "
                     "\"points\": 24}, {\"name\": \"Cough\", \"yours\": 20, \"typical\": 20, "
                     "\"weight\": 20, \"agreement\": 1, \"points\": 20}], \"missing\": "
                     "[\"Headache\"]}\n");
    // The same probability text as the ranking gives.
    const auto diagnose =
        cli({"diagnose", "--json", "--catalogue", kExample, "Fever=80", "Cough=20"});
    EXPECT_NE(diagnose.out.find("\"Delta\", \"probability\": 33.053333}"), std::string::npos);

    // A disease that shares nothing has no probability.
    const auto gamma = cli({"explain", "--json", "--catalogue", kExample, "Gamma", "Fever=80"});
    EXPECT_EQ(gamma.code, 0);
    EXPECT_NE(gamma.out.find("\"probability\": null"), std::string::npos);
    EXPECT_NE(gamma.out.find("\"missing\": [\"Rash\"]"), std::string::npos);
}

TEST(CliExplain, Failures) {
    const auto none = cli({"explain", "--catalogue", kExample, "Omega", "Fever=80"});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err, "No disease named \"Omega\" in the catalogue.\n");
    EXPECT_EQ(cli({"explain", "--catalogue", kExample, "Alpha"}).code, 1); // no symptom
    EXPECT_EQ(cli({"explain", "--catalogue", kExample}).code, 64);
    EXPECT_EQ(cli({"explain", "--catalogue", kExample, "Alpha", "Fever"}).code, 64);
}

TEST(CliAboutYou, SexAndAgeLeaveOutOnlyWhatCannotApply) {
    const auto plain = cli({"diagnose", "--catalogue", kExtras, "Nausea=60", "Fatigue=40"});
    ASSERT_EQ(plain.code, 0) << plain.err;
    EXPECT_TRUE(lists(plain.out, "Ovarian torsion"));
    EXPECT_TRUE(lists(plain.out, "Testicular torsion"));
    EXPECT_TRUE(lists(plain.out, "Newborn jaundice"));

    const auto man = cli({"diagnose", "--catalogue", kExtras, "--sex", "male", "--age=40",
                          "Nausea=60", "Fatigue=40"});
    ASSERT_EQ(man.code, 0) << man.err;
    EXPECT_FALSE(lists(man.out, "Ovarian torsion"));
    EXPECT_FALSE(lists(man.out, "Newborn jaundice"));
    // What is left is the plain result's lines, in the plain order.
    std::string kept;
    std::istringstream lines(plain.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("Ovarian torsion") == std::string::npos &&
            line.find("Newborn jaundice") == std::string::npos) {
            kept += line + "\n";
        }
    }
    EXPECT_EQ(man.out, kept);

    // Triage judges the same, filtered, result.
    const auto care = cli({"triage", "--catalogue", kExtras, "--sex=male", "Nausea=60"});
    EXPECT_EQ(care.code, 0) << care.err;
    EXPECT_EQ(care.out.find("Ovarian torsion"), std::string::npos);
    EXPECT_NE(care.out.find("Testicular torsion"), std::string::npos);
    EXPECT_NE(cli({"triage", "--catalogue", kExtras, "Nausea=60"}).out.find("Ovarian torsion"),
              std::string::npos);

    const auto baby = cli({"diagnose", "--catalogue", kExtras, "--age", "0", "Fatigue=40"});
    EXPECT_TRUE(lists(baby.out, "Newborn jaundice"));
    EXPECT_FALSE(lists(baby.out, "M\u00e9ni\u00e8re's disease"));

    const auto why =
        cli({"explain", "--catalogue", kExtras, "--sex", "male", "Ovarian torsion", "Nausea=60"});
    EXPECT_EQ(why.code, 0);
    EXPECT_EQ(why.out.substr(0, why.out.find('\n', why.out.find('\n') + 1) + 1),
              "Ovarian torsion\nLeft out: it affects only women and girls.\n");

    for (const auto& bad : std::vector<std::vector<std::string>>{{"--sex", "Male"},
                                                                 {"--sex", ""},
                                                                 {"--age", "131"},
                                                                 {"--age", "-2"},
                                                                 {"--age", "4.5"}}) {
        std::vector<std::string> args{"diagnose", "--catalogue", kExtras};
        args.insert(args.end(), bad.begin(), bad.end());
        args.push_back("Nausea=60");
        const auto r = cli(args);
        EXPECT_EQ(r.code, 64) << bad[0] << " " << bad[1];
        EXPECT_NE(r.err.find(bad[0]), std::string::npos);
    }
}
