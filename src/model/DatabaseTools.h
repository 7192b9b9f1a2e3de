// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A catalogue that cannot be used. The message names the file and, where it
// applies, the disease and the key at fault.
class CatalogueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class DatabaseTools {
public:
    DatabaseTools() = delete;

    // The catalogue installed beside the program.
    static DiseaseList loadDiseases();
    static DiseaseList loadDiseases(const std::filesystem::path& file);
    // Parses a catalogue held in memory (XML or binary form); `origin` names it in errors.
    static DiseaseList parseDiseases(std::string_view bytes, const std::string& origin);

    // Where loadDiseases() looks: "Database.plist" in the resource directory.
    static std::filesystem::path defaultCataloguePath();

    // The distinct symptom names of the organ's diseases, sorted.
    static std::vector<std::string> symptomsForOrgan(const DiseaseList& diseases,
                                                     std::string_view organ);
};
