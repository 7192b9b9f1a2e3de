// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"
#include "TestSupport.h"
#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string kExample = testData("catalogues/worked-example.plist").string();

} // namespace

TEST(Cli, DiagnoseText) {
    const auto r = cli({"diagnose", "--catalogue", kExample, "Fever=80", "Cough=20"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "76.0%\tBeta\n33.6%\tAlpha\n33.1%\tDelta\n");
}

TEST(Cli, DiagnoseJsonAndProfileFirst) {
    TempDir dir;
    writeFile(dir / "p.snp", "Fever\n80.0\n");
    const auto r = cli({"diagnose", "--json", "--profile", (dir / "p.snp").string(),
                        "--catalogue=" + kExample, "Cough=20"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "[{\"disease\": \"Beta\", \"probability\": 76},\n"
                     " {\"disease\": \"Alpha\", \"probability\": 33.640003},\n"
                     " {\"disease\": \"Delta\", \"probability\": 33.053333}]\n");
    // The name is split at the last "=".
    const auto eq = cli({"diagnose", "--catalogue", kExample, "a=b=20"});
    EXPECT_EQ(eq.code, 0);
    EXPECT_EQ(eq.out, "");
}

TEST(Cli, ExitCodes) {
    EXPECT_EQ(cli({"diagnose", "--catalogue", kExample}).err,
              "Please add at least one symptom and try again.\n");
    EXPECT_EQ(cli({"diagnose", "--catalogue", kExample}).code, 1);
    TempDir dir;
    writeFile(dir / "bad.snp", "Fever\nhot\n");
    const auto badProfile = cli({"diagnose", "--profile", (dir / "bad.snp").string()});
    EXPECT_EQ(badProfile.code, 1);
    EXPECT_EQ(badProfile.err, "Could not load profile.\n");
    EXPECT_EQ(cli({"profile", "read", (dir / "absent.snp").string()}).code, 1);

    const auto badCatalogue =
        cli({"diagnose", "--catalogue", (dir / "absent.plist").string(), "Fever=80"});
    EXPECT_EQ(badCatalogue.code, 2);
    EXPECT_NE(badCatalogue.err.find("absent.plist"), std::string::npos);

    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                  {"frobnicate"},
                                                                  {"diagnose", "--bogus"},
                                                                  {"diagnose", "Fever"},
                                                                  {"diagnose", "Fever=hot"},
                                                                  {"diagnose", "--catalogue"},
                                                                  {"symptoms"},
                                                                  {"info"},
                                                                  {"profile"},
                                                                  {"profile", "delete"},
                                                                  {"profile", "write"},
                                                                  {"check", "extra"}}) {
        const auto r = cli(args);
        EXPECT_EQ(r.code, 64) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
    for (const auto& args : std::vector<std::vector<std::string>>{{"--help"},
                                                                  {"diagnose", "--help"},
                                                                  {"symptoms", "--help"},
                                                                  {"info", "--help"},
                                                                  {"profile", "--help"},
                                                                  {"profile", "write", "--help"},
                                                                  {"check", "--help"}}) {
        const auto r = cli(args);
        EXPECT_EQ(r.code, 0);
        EXPECT_NE(r.out.find("usage:"), std::string::npos);
    }
}

TEST(Cli, SymptomsAndInfo) {
    EXPECT_EQ(cli({"symptoms", "--catalogue", kExample, "Heart"}).out, "Cough\nFever\nHeadache\n");
    const auto info = cli({"info", "--catalogue", kExample, "Delta"});
    EXPECT_EQ(info.code, 0);
    EXPECT_EQ(info.out, "Delta\nThree symptoms.\nHigh\n10 out of 1000 patients have this "
                        "disease\nFever, Headache, Cough\n");
    const auto json = cli({"info", "--json", "--catalogue", kExample, "Beta"});
    EXPECT_EQ(json.out, "{\"name\": \"Beta\", \"description\": \"Second & only fever.\", "
                        "\"gravity\": \"Extremely High\", \"frequency\": \"0 out of 1000 patients "
                        "have this disease\", \"symptoms\": \"Fever\"}\n");
    EXPECT_EQ(cli({"info", "--catalogue", kExample, "Omega"}).code, 1);
}

TEST(Cli, ProfileWriteAndRead) {
    TempDir dir;
    const auto file = (dir / "p.snp").string();
    const auto w = cli({"profile", "write", file, "Chest pain=80", "Odd \"name\"=nan", "X=1e-05"});
    EXPECT_EQ(w.code, 0) << w.err;
    EXPECT_EQ(w.out.rfind("Remove failed: ", 0), 0u); // no previous file
    EXPECT_EQ(readFile(file), "Chest pain\n80.0\nOdd \"name\"\nnan\nX\n1e-05\n");
    EXPECT_EQ(cli({"profile", "read", file}).out,
              "Chest pain\t80.0\nOdd \"name\"\tnan\nX\t1e-05\n");
    EXPECT_EQ(cli({"profile", "read", file, "--json"}).out,
              "[{\"name\": \"Chest pain\", \"intensity\": 80},\n"
              " {\"name\": \"Odd \\\"name\\\"\", \"intensity\": \"nan\"},\n"
              " {\"name\": \"X\", \"intensity\": 1e-05}]\n");
    EXPECT_EQ(cli({"profile", "write", (dir / "no" / "p.snp").string(), "A=20"}).code, 1);
}

TEST(Cli, CheckReportsWhatToFix) {
    const auto clean = cli({"check", "--catalogue", kExample});
    EXPECT_EQ(clean.code, 0) << clean.out;
    EXPECT_NE(clean.out.find("4 diseases, 4 distinct symptoms"), std::string::npos) << clean.out;
    EXPECT_NE(clean.out.find("Heart: 2"), std::string::npos);

    TempDir dir;
    writeFile(dir / "bad.plist",
              plistDocument(
                  diseaseEntry("Odd", "Lungs", "<key>Fever</key><integer>60</integer>",
                               "<real>1200</real>", "<integer>50</integer>") +
                  diseaseEntry("Bare", "Lung", "") +
                  diseaseEntry("Loud", "Heart",
                               "<key>fever </key><integer>150</integer>"
                               "<key>Caf\xC3\xA9</key><integer>20</integer>") +
                  diseaseEntry("Quiet", "Heart", "<key>Cafe\xCC\x81</key><integer>20</integer>") +
                  "<key>Who</key><dict><key>Description</key><string>d</string><key>Frequency</key>"
                  "<integer>1</integer><key>Gravity</key><integer>20</integer><key>Organ</key>"
                  "<string>Heart</string><key>Symptoms</key><dict><key>A</key><integer>20</integer>"
                  "</dict><key>Sex</key><string>Female</string><key>Ages</key><array>"
                  "<string>teen</string></array></dict>"));
    const auto r = cli({"check", "--catalogue", (dir / "bad.plist").string()});
    EXPECT_EQ(r.code, 3);
    for (const char* expected :
         {"gravity 50", "frequency 1200", "\"Lung\" is none", "has no symptoms", "intensity 150",
          "letter case", "canonically equivalent", "Sex \"Female\"", "Ages holds \"teen\""}) {
        EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
    }
}

TEST(Cli, VersionAndOrganKeys) {
    const auto version = cli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(version.out.rfind("sanoria-cli ", 0) == 0) << version.out;
    EXPECT_EQ(version.out.back(), '\n');
    EXPECT_NE(version.out.find('.'), std::string::npos);

    // Completion offers these keys: each must be one that `symptoms` takes.
    const auto organs = cli({"organs"});
    EXPECT_EQ(organs.code, 0);
    std::istringstream lines(organs.out);
    std::vector<std::string> keys;
    for (std::string key; std::getline(lines, key);) {
        keys.push_back(key);
    }
    ASSERT_EQ(keys.size(), 11u);
    EXPECT_EQ(keys[3], "Heart");
    EXPECT_EQ(keys[10], "Muscles & Bones");
    for (const auto& key : keys) {
        const auto listed = cli({"symptoms", key});
        EXPECT_EQ(listed.code, 0) << key;
        EXPECT_FALSE(listed.out.empty()) << "no symptoms for " << key;
    }
    EXPECT_EQ(cli({"organs", "Heart"}).code, 64);
}

TEST(Cli, TriageTextAndJson) {
    const auto text = cli({"triage", "--catalogue", kExample, "Fever=80", "Cough=20"});
    EXPECT_EQ(text.code, 0) << text.err;
    EXPECT_EQ(text.out,
              "emergency\nBeta is among the most likely causes and needs emergency care.\n");
    EXPECT_EQ(text.err, "");

    // Headache points only to Delta, of gravity 60.
    const auto mild = cli({"triage", "--catalogue=" + kExample, "Headache=20"});
    EXPECT_EQ(mild.out, "doctor\nDelta is among the most likely causes and should be seen by a "
                        "doctor within a few days.\n");

    TempDir dir;
    writeFile(dir / "p.snp", "Fever\n80.0\n");
    const auto json = cli({"triage", "--json", "--profile", (dir / "p.snp").string(), "--catalogue",
                           kExample, "Chest pain=100"});
    EXPECT_EQ(json.code, 0) << json.err;
    EXPECT_EQ(json.out,
              "{\"level\": \"emergency\", \"critical\": true, \"reasons\": [\"Chest pain "
              "this strong can be a sign of an emergency.\", \"Beta is among the most "
              "likely causes and needs emergency care.\"], \"conditions\": [\"Beta\"]}\n");
    EXPECT_EQ(json.err, ""); // the warning is in the answer itself

    const auto none = cli({"triage", "--json", "--catalogue", kExample, "Itch \"x\"=40"});
    EXPECT_EQ(none.out, "{\"level\": \"doctor\", \"critical\": false, \"reasons\": [\"None of the "
                        "conditions Sanoria knows matches these symptoms, so it cannot tell how "
                        "serious they are.\"], \"conditions\": []}\n");
}

TEST(Cli, TriageTakesWhatDiagnoseTakes) {
    TempDir dir;
    writeFile(dir / "p.snp", "Cough\n20.0\n");
    writeFile(dir / "bad.snp", "Fever\nhot\n");
    // The same arguments either way: the same diagnosis, judged.
    const std::vector<std::string> same{"--profile=" + (dir / "p.snp").string(),
                                        "--catalogue",
                                        kExample,
                                        "--json",
                                        "--",
                                        "Fever=80"};
    std::vector<std::string> diagnose{"diagnose"};
    std::vector<std::string> triage{"triage"};
    diagnose.insert(diagnose.end(), same.begin(), same.end());
    triage.insert(triage.end(), same.begin(), same.end());
    EXPECT_EQ(cli(diagnose).code, 0);
    const auto judged = cli(triage);
    EXPECT_EQ(judged.code, 0) << judged.err;
    EXPECT_NE(judged.out.find("\"conditions\": [\"Beta\"]"), std::string::npos) << judged.out;

    // Exit codes as for diagnose.
    for (const auto& [args, code] : std::vector<std::pair<std::vector<std::string>, int>>{
             {{"--catalogue", kExample}, 1},
             {{"--profile", (dir / "bad.snp").string()}, 1},
             {{"--catalogue", (dir / "absent.plist").string(), "Fever=80"}, 2},
             {{"--bogus", "Fever=80"}, 64},
             {{"Fever"}, 64},
             {{"--catalogue"}, 64}}) {
        std::vector<std::string> d{"diagnose"}, t{"triage"};
        d.insert(d.end(), args.begin(), args.end());
        t.insert(t.end(), args.begin(), args.end());
        const auto dr = cli(d);
        const auto tr = cli(t);
        EXPECT_EQ(tr.code, code) << t.back();
        EXPECT_EQ(dr.code, code) << d.back();
        EXPECT_EQ(tr.out, "");
    }
    const auto help = cli({"triage", "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out.rfind("usage: sanoria-cli triage", 0), 0u);
    EXPECT_NE(cli({"--help"}).out.find("triage [--catalogue FILE]"), std::string::npos);
}

TEST(Cli, DiagnoseWarnsOfCriticalSymptomsOnStandardError) {
    // Chest pain is in none of the example's diseases: its intensity cannot
    // change the ranking, only the warning.
    const auto calm = cli({"diagnose", "--catalogue", kExample, "Fever=80", "Chest pain=60"});
    const auto critical = cli({"diagnose", "--catalogue", kExample, "Fever=80", "Chest pain=80"});
    EXPECT_EQ(calm.err, "");
    EXPECT_EQ(critical.code, 0);
    EXPECT_EQ(critical.err, "You are experiencing a critical symptom. Please go to the nearest "
                            "hospital right away for a complete medical examination.\n");
    EXPECT_EQ(critical.out, calm.out);
    EXPECT_FALSE(critical.out.empty());
    // Two critical symptoms, one warning.
    const auto two = cli({"diagnose", "--catalogue", kExample, "Wheezing=100", "Chest pain=80"});
    EXPECT_EQ(two.err.size(), critical.err.size());
    // The JSON answer stays what it was, with nothing on standard error.
    const auto json =
        cli({"diagnose", "--json", "--catalogue", kExample, "Fever=80", "Chest pain=100"});
    EXPECT_EQ(json.err, "");
    EXPECT_EQ(json.out.rfind("[{\"disease\": \"Beta\"", 0), 0u);
    // Another spelling is another symptom, as at Add.
    EXPECT_EQ(cli({"diagnose", "--catalogue", kExample, "chest pain=100"}).err, "");
}
