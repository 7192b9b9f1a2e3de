// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/TableCells.h"

#include "model/NumberText.h"

std::string probabilityText(float probability) {
    return formatFixed(static_cast<double>(probability), 1) + "%";
}

std::optional<CellValue> intensityCell(float intensity) {
    auto level = intensityLevelFor(intensity);
    if (!level) {
        return std::nullopt;
    }
    CellValue cell{CellValue::Kind::ColouredText, std::string(level->word), level->colour};
    if (level->value == 100.0f) {
        cell.colour.green = 30.0 / 255.0;
    }
    return cell;
}

int numberOfRows(std::string_view table, const SymptomList& symptoms,
                 const DiagnosticList& diagnostics) {
    if (table == kTableSymptom) {
        return static_cast<int>(symptoms.size());
    }
    if (table == kTableDiagnostic) {
        return static_cast<int>(diagnostics.size());
    }
    return 0;
}

CellValue cellValue(std::string_view table, std::string_view column, std::size_t row,
                    const SymptomList& symptoms, const DiagnosticList& diagnostics) {
    const auto text = [](std::string value) {
        return CellValue{CellValue::Kind::Text, std::move(value), {0, 0, 0, 1}};
    };
    if (table == kTableSymptom) {
        if (row >= symptoms.size()) {
            return {};
        }
        const Symptom& s = *symptoms[row];
        if (column == kColumnSymptom) {
            return text(s.name());
        }
        if (column == kColumnIntensity) {
            return intensityCell(s.intensity).value_or(CellValue{});
        }
        return {};
    }
    if (table == kTableDiagnostic) {
        if (row >= diagnostics.size()) {
            return {};
        }
        const Diagnostic& d = *diagnostics[row];
        if (column == kColumnDisease) {
            return text(d.disease->name);
        }
        if (column == kColumnProbability) {
            return text(probabilityText(d.probability));
        }
        return {};
    }
    return {};
}
