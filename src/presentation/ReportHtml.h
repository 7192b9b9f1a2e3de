// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/AboutYou.h"
#include "engine/Triage.h"
#include "model/Records.h"

#include <chrono>
#include <cstddef>
#include <string>

// The report a person takes to their doctor: one self-contained HTML page,
// the same from the window (printed or as PDF) and from the terminal.

struct ReportContent {
    std::string date;      // "2026-12-06"
    SymptomList symptoms;  // as they were diagnosed
    AboutYou person;       // shown when given
    CareAdvice care;       // for the result below
    DiagnosticList ranked; // the result, as shown
};

inline constexpr std::size_t kReportCauses = 10;   // causes listed
inline constexpr std::size_t kReportExplained = 3; // of which explained
inline constexpr std::string_view kReportDisclaimer =
    "Sanoria gives information, not a medical diagnosis.";

// Diagnoses, leaves out what cannot affect the person and judges the care
// level, as the window's Generate does.
ReportContent makeReportContent(const DiseaseList& catalogue, SymptomList symptoms, AboutYou person,
                                std::string date);

// The page. Every text from the catalogue or the user is escaped; nothing is
// fetched from anywhere.
std::string reportHtml(const ReportContent& content);

// The local calendar date of a moment, as "YYYY-MM-DD".
std::string localDate(std::chrono::system_clock::time_point when);

// Text made safe for HTML content and attribute values.
std::string escapeHtml(std::string_view text);
