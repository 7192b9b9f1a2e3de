// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

// Synthetic catalogues for the benchmarks: the same seed gives the same bytes
// on every machine, so figures from different runs describe the same input.

struct CatalogueShape {
    std::size_t diseases = 1000;
    std::size_t symptomsPerDisease = 8;
    std::uint64_t seed = 1;
};

// The pool the diseases and the user draw their symptom names from (500 names).
const std::vector<std::string>& symptomNamePool();

// An XML property list in the catalogue's layout.
void writeCatalogueXml(std::ostream& out, const CatalogueShape& shape);
std::string catalogueXml(const CatalogueShape& shape);

// Streams the catalogue to `file`, so even a large one never sits in memory.
void writeCatalogueFile(const std::filesystem::path& file, const CatalogueShape& shape);

// Distinct names from the pool, intensities on the five slider levels.
SymptomList userSymptoms(std::size_t count, std::uint64_t seed);

// A private folder under the system's temporary folder, removed with its
// contents when the object goes.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};
