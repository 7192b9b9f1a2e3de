// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"
#include "presentation/IntensityLevel.h"

#include <string>
#include <string_view>

// What the two tables of the main window show, as pure functions of the lists.

inline constexpr std::string_view kTableSymptom = "TableViewSymptom";
inline constexpr std::string_view kTableDiagnostic = "TableViewDiagnostic";
inline constexpr std::string_view kColumnSymptom = "ColumnSymptom";
inline constexpr std::string_view kColumnIntensity = "ColumnIntensity";
inline constexpr std::string_view kColumnDisease = "ColumnDisease";
inline constexpr std::string_view kColumnProbability = "ColumnProbability";

struct CellValue {
    enum class Kind { Nothing, Text, ColouredText };
    Kind kind = Kind::Nothing;
    std::string text;
    Rgba colour{0, 0, 0, 1};
};

int numberOfRows(std::string_view table, const SymptomList& symptoms,
                 const DiagnosticList& diagnostics);

CellValue cellValue(std::string_view table, std::string_view column, std::size_t row,
                    const SymptomList& symptoms, const DiagnosticList& diagnostics);

// The intensity column's word and colour; "Extremely High" is redder here
// than on the slider's label.
std::optional<CellValue> intensityCell(float intensity);

// "76.0%": one decimal, point as separator, whatever the locale.
std::string probabilityText(float probability);
