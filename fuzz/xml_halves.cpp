// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an XML catalogue file, read in one piece and in two halves at
// once: both reads must give the same records or the same message.
#include "model/DatabaseTools.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Outcome {
    DiseaseList diseases;
    std::string error;
};

Outcome load(const std::string& path, const CatalogueLoading& how) {
    Outcome outcome;
    try {
        outcome.diseases = DatabaseTools::loadDiseases(path, how);
    } catch (const CatalogueError& e) {
        outcome.error = e.what();
    }
    return outcome;
}

bool same(const Outcome& a, const Outcome& b) {
    if (a.error != b.error || a.diseases.size() != b.diseases.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.diseases.size(); ++i) {
        const Disease& x = *a.diseases[i];
        const Disease& y = *b.diseases[i];
        if (x.name != y.name || x.desc != y.desc || x.organ != y.organ ||
            x.symptoms.size() != y.symptoms.size()) {
            return false;
        }
        for (std::size_t j = 0; j < x.symptoms.size(); ++j) {
            if (x.symptoms[j]->name() != y.symptoms[j]->name() ||
                x.symptoms[j]->nameId != y.symptoms[j]->nameId) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A file in memory: no disk in the loop.
    const int fd = memfd_create("catalogue", MFD_CLOEXEC);
    if (fd < 0) {
        std::abort();
    }
    for (std::size_t written = 0; written < size;) {
        const ssize_t n = write(fd, data + written, size - written);
        if (n <= 0) {
            std::abort();
        }
        written += static_cast<std::size_t>(n);
    }
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    CatalogueLoading onePiece;
    onePiece.twoHalvesFrom = UINT64_MAX;
    CatalogueLoading twoHalves;
    twoHalves.twoHalvesFrom = 0;
    twoHalves.cores = 2;
    if (!same(load(path, onePiece), load(path, twoHalves))) {
        std::abort();
    }
    close(fd);
    return 0;
}
