// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/ReportHtml.h"

#include "engine/DiagnosticTools.h"
#include "engine/Explanation.h"
#include "presentation/CareStyle.h"
#include "presentation/IntensityLevel.h"
#include "presentation/TableCells.h"
#include "presentation/WhyThisResult.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

std::string escapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string localDate(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return text;
}

ReportContent makeReportContent(const DiseaseList& catalogue, SymptomList symptoms, AboutYou person,
                                std::string date) {
    ReportContent content;
    content.date = std::move(date);
    content.ranked = forPerson(DiagnosticTools::generateDiagnostics(catalogue, symptoms), person);
    content.care = assessCare(catalogue, symptoms, content.ranked);
    content.symptoms = std::move(symptoms);
    content.person = std::move(person);
    return content;
}

namespace {

std::string hexColour(const Rgba& c) {
    char text[8];
    const auto byte = [](double v) {
        return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
    };
    std::snprintf(text, sizeof text, "#%02x%02x%02x", byte(c.red), byte(c.green), byte(c.blue));
    return text;
}

std::string gravityWords(float gravity) {
    if (const auto level = intensityLevelFor(gravity)) {
        return std::string(level->word);
    }
    return "not rated";
}

void paragraph(std::string& html, const std::string& text, const char* cls = nullptr) {
    if (text.empty()) {
        return;
    }
    html += cls ? "<p class=\"" + std::string(cls) + "\">" : std::string("<p>");
    html += escapeHtml(text) + "</p>\n";
}

} // namespace

std::string reportHtml(const ReportContent& content) {
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Sanoria report</title>\n<style>\n"
        "body { font-family: 'DejaVu Sans', Arial, sans-serif; font-size: 10pt; color: #1a1a1a; "
        "max-width: 46em; margin: 1em auto; }\n"
        "h1 { font-size: 18pt; margin-bottom: 0; }\n"
        "h2 { font-size: 13pt; margin-top: 1.2em; border-bottom: 1px solid #999; }\n"
        "h2.why { page-break-before: always; }\n"
        "h3 { font-size: 11pt; margin-bottom: 0.2em; }\n"
        "table.list { border-collapse: collapse; }\n"
        "table.list th, table.list td { text-align: left; padding: 3px 10px 3px 0; "
        "border-bottom: 1px solid #ccc; }\n"
        "td.number { text-align: right; }\n"
        ".disclaimer { font-weight: bold; }\n"
        ".muted { color: #555; }\n"
        "</style>\n</head>\n<body>\n";
    html += "<h1>Sanoria report</h1>\n";
    html += "<p class=\"muted\">Date: " + escapeHtml(content.date) + "</p>\n";
    paragraph(html, std::string(kReportDisclaimer), "disclaimer");

    html += "<h2>Symptoms</h2>\n";
    html += "<table class=\"list\" cellspacing=\"0\" cellpadding=\"3\">\n"
            "<tr><th>Symptom</th><th>Intensity</th></tr>\n";
    for (const auto& s : content.symptoms) {
        html += "<tr><td>" + escapeHtml(s->name()) + "</td><td>" +
                escapeHtml(intensityWords(s->intensity)) + "</td></tr>\n";
    }
    html += "</table>\n";

    if (content.person.given()) {
        html += "<h2>About you</h2>\n";
        paragraph(html, aboutYouText(content.person));
        paragraph(html, "Conditions that cannot affect a person of this sex or age are left out.",
                  "muted");
    }

    const CareStyle style = careStyleFor(content.care.level);
    html += "<h2>How soon to get care</h2>\n";
    html += "<table cellspacing=\"0\" cellpadding=\"8\" width=\"100%\"><tr><td bgcolor=\"" +
            hexColour(style.background) +
            "\" style=\"background-color: " + hexColour(style.background) +
            "; color: " + hexColour(style.text) + ";\"><b><font color=\"" + hexColour(style.text) +
            "\">" + escapeHtml(careLevelTitle(content.care.level)) +
            "</font></b><br><font color=\"" + hexColour(style.text) + "\">" +
            escapeHtml(careLevelAdvice(content.care.level)) + "</font></td></tr></table>\n";
    if (!content.care.reasons.empty()) {
        html += "<ul>\n";
        for (const auto& reason : content.care.reasons) {
            html += "<li>" + escapeHtml(reason) + "</li>\n";
        }
        html += "</ul>\n";
    }

    const std::size_t listed = std::min(content.ranked.size(), kReportCauses);
    html += "<h2>Possible causes</h2>\n";
    if (listed == 0) {
        paragraph(html, "No condition in the catalogue shares a symptom with these.");
    } else {
        if (content.ranked.size() > listed) {
            paragraph(html,
                      "The " + std::to_string(listed) + " most likely of " +
                          std::to_string(content.ranked.size()) + ".",
                      "muted");
        }
        html += "<table class=\"list\" cellspacing=\"0\" cellpadding=\"3\">\n"
                "<tr><th>#</th><th>Condition</th><th>Probability</th><th>Gravity</th></tr>\n";
        for (std::size_t i = 0; i < listed; ++i) {
            const Diagnostic& d = *content.ranked[i];
            html += "<tr><td>" + std::to_string(i + 1) + "</td><td>" + escapeHtml(d.disease->name) +
                    "</td><td class=\"number\">" + escapeHtml(probabilityText(d.probability)) +
                    "</td><td>" + escapeHtml(gravityWords(d.disease->gravity)) + "</td></tr>\n";
        }
        html += "</table>\n";
    }

    const std::size_t explained = std::min(listed, kReportExplained);
    if (explained > 0) {
        html += "<h2 class=\"why\">Why these results</h2>\n";
    }
    for (std::size_t i = 0; i < explained; ++i) {
        const Disease& disease = *content.ranked[i]->disease;
        const WhyThisResult why =
            whyThisResult(explainDiagnosis(disease, content.symptoms), disease.frequency);
        html += "<h3>" + std::to_string(i + 1) + ". " + escapeHtml(disease.name) + "</h3>\n";
        paragraph(html, why.summary);
        if (!why.matched.empty()) {
            html += "<ul>\n";
            for (const auto& line : why.matched) {
                html += "<li>" + escapeHtml(line) + "</li>\n";
            }
            html += "</ul>\n";
        }
        paragraph(html, why.missing);
        paragraph(html, why.frequency);
    }

    html += "<hr>\n";
    paragraph(html,
              std::string(kReportDisclaimer) +
                  " It cannot examine you. In an emergency, call your local emergency number.",
              "disclaimer");
    html += "</body>\n</html>\n";
    return html;
}
