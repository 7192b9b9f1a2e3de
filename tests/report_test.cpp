// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "cli/Cli.h"
#include "engine/DiagnosticTools.h"
#include "model/DatabaseTools.h"
#include "presentation/ReportHtml.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

// Twelve conditions that all share "Cough", one with a name that needs escaping.
DiseaseList twelveCoughs() {
    DiseaseList catalogue;
    for (int i = 0; i < 12; ++i) {
        const std::string name = i == 0 ? "Croup <b>&amp; \"co\"" : "Cough " + std::to_string(i);
        catalogue.push_back(std::make_shared<Disease>(
            name, "", static_cast<float>(100 - i), 20.0f * static_cast<float>(i % 5 + 1), "Lungs",
            symptomsOf({{"Cough", 60}, {"Fever", 20.0f * static_cast<float>(i % 5 + 1)}})));
    }
    catalogue[5]->sex = "female";
    catalogue[6]->gravity = 50; // off the scale
    return catalogue;
}

} // namespace

TEST(Report, HoldsEveryPart) {
    const DiseaseList catalogue = twelveCoughs();
    const auto content = makeReportContent(
        catalogue, symptomsOf({{"Cough", 60}, {"Fever <x>", 80}}), {"male", 40}, "2026-12-06");
    const std::string html = reportHtml(content);

    EXPECT_NE(html.find("Date: 2026-12-06"), std::string::npos);
    EXPECT_EQ(count(html, "Sanoria gives information, not a medical diagnosis."), 2u);
    // Symptoms with their levels, escaped.
    EXPECT_NE(html.find("<td>Cough</td><td>High</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>Fever &lt;x&gt;</td><td>Very High</td>"), std::string::npos);
    EXPECT_NE(html.find("<h2>About you</h2>\n<p>Male, 40 years</p>"), std::string::npos);
    // The care level and each of its reasons.
    EXPECT_NE(html.find(std::string(careLevelTitle(content.care.level))), std::string::npos);
    ASSERT_FALSE(content.care.reasons.empty());
    for (const auto& reason : content.care.reasons) {
        EXPECT_NE(html.find("<li>" + escapeHtml(reason) + "</li>"), std::string::npos) << reason;
    }
    // Ten causes out of the eleven left for a man, with probability and gravity.
    ASSERT_EQ(content.ranked.size(), 11u);
    EXPECT_NE(html.find("The 10 most likely of 11."), std::string::npos);
    EXPECT_EQ(count(html, "<td class=\"number\">"), 10u);
    EXPECT_EQ(html.find(catalogue[5]->name + "<"), std::string::npos); // left out for a man
    const Diagnostic& first = *content.ranked[0];
    EXPECT_NE(html.find("<td>1</td><td>" + escapeHtml(first.disease->name) +
                        "</td><td class=\"number\">"),
              std::string::npos);
    const Diagnostic& eleventh = *content.ranked[10];
    EXPECT_EQ(html.find("<td>" + eleventh.disease->name + "</td>"), std::string::npos);
    EXPECT_NE(html.find("Croup &lt;b&gt;&amp;amp; &quot;co&quot;"), std::string::npos);
    EXPECT_EQ(html.find("<b>&amp; \"co\""), std::string::npos); // never raw
    EXPECT_NE(html.find("<td>not rated</td>"), std::string::npos);
    // The why of the first three only.
    EXPECT_EQ(count(html, "<h3>"), 3u);
    EXPECT_NE(html.find("<h3>3. "), std::string::npos);
    EXPECT_NE(html.find("Typical symptoms you did not enter: Fever."), std::string::npos);
    // Nothing to fetch.
    EXPECT_EQ(html.find("src="), std::string::npos);
    EXPECT_EQ(html.find("http"), std::string::npos);
    EXPECT_EQ(html.find("@import"), std::string::npos);
}

TEST(Report, WithoutAboutYouOrResult) {
    const auto content =
        makeReportContent(twelveCoughs(), symptomsOf({{"Rash", 40}}), {}, "2026-01-02");
    const std::string html = reportHtml(content);
    EXPECT_EQ(html.find("About you"), std::string::npos);
    EXPECT_NE(html.find("No condition in the catalogue shares a symptom with these."),
              std::string::npos);
    EXPECT_EQ(html.find("Why these results"), std::string::npos);
    EXPECT_NE(html.find("<td>Rash</td><td>Moderate</td>"), std::string::npos);
}

TEST(Report, TerminalWritesTheSamePage) {
    TempDir dir;
    const std::string catalogue = testData("catalogues/extras.plist").string();
    const auto file = dir / "report.html";
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runCli({"report", "--catalogue", catalogue, "--sex", "female", "-o", file.string(),
                      "Nausea=60", "Chest pain=100"},
                     out, err),
              0)
        << err.str();
    const std::string html = readFile(file);
    const auto expected = makeReportContent(
        DatabaseTools::loadDiseases(catalogue), symptomsOf({{"Nausea", 60}, {"Chest pain", 100}}),
        {"female", {}}, localDate(std::chrono::system_clock::now()));
    EXPECT_EQ(html, reportHtml(expected));
    EXPECT_EQ(html.find("Testicular torsion"), std::string::npos);

    std::ostringstream none;
    EXPECT_EQ(runCli({"report", "--catalogue", catalogue, "Nausea=60"}, out, none), 64);
    EXPECT_NE(none.str().find("-o FILE.html"), std::string::npos);
    std::ostringstream failed;
    EXPECT_EQ(runCli({"report", "--catalogue", catalogue, "-o", (dir / "no/such/r.html").string(),
                      "Nausea=60"},
                     out, failed),
              1);
    EXPECT_NE(failed.str().find("Could not write the report"), std::string::npos);
}

TEST(Report, SameWhateverTheLocale) {
    const auto content = makeReportContent(twelveCoughs(), symptomsOf({{"Cough", 60}}),
                                           {"female", 30}, "2026-12-06");
    const std::string plain = reportHtml(content);
    CommaLocale comma;
    if (!comma.active()) {
        GTEST_SKIP() << "no comma-decimal locale";
    }
    EXPECT_EQ(reportHtml(content), plain);
    EXPECT_NE(plain.find(".0%"), std::string::npos);
}

TEST(Report, LocalDate) {
    const auto date = localDate(std::chrono::system_clock::now());
    ASSERT_EQ(date.size(), 10u);
    EXPECT_EQ(date[4], '-');
    EXPECT_EQ(date[7], '-');
    EXPECT_EQ(escapeHtml("a<b>&'\""), "a&lt;b&gt;&amp;&#39;&quot;");
}
