// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <cstdint>
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

// How a catalogue file is read. An XML catalogue of `twoHalvesFrom` bytes or
// more is read as two halves at once when two cores are free, with the same
// result as in one piece.
struct CatalogueLoading {
    std::uint64_t twoHalvesFrom = std::uint64_t{4} << 20;
    unsigned cores = 0; // 0: those the process may run on
    // Set, when given, to whether the file was read in two halves.
    bool* readInTwoHalves = nullptr;
};

class DatabaseTools {
public:
    DatabaseTools() = delete;

    // The catalogue installed beside the program.
    static DiseaseList loadDiseases();
    static DiseaseList loadDiseases(const std::filesystem::path& file);
    static DiseaseList loadDiseases(const std::filesystem::path& file, const CatalogueLoading& how);
    // Parses a catalogue held in memory (XML or binary form); `origin` names it in errors.
    static DiseaseList parseDiseases(std::string_view bytes, const std::string& origin);

    // Where loadDiseases() looks: "Database.plist" in the resource directory.
    static std::filesystem::path defaultCataloguePath();

    // The distinct symptom names of the organ's diseases, sorted.
    static std::vector<std::string> symptomsForOrgan(const DiseaseList& diseases,
                                                     std::string_view organ);
};
