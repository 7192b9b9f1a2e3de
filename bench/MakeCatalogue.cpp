// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a generated catalogue, or prints the benchmark's user symptoms as
// NAME=INTENSITY arguments, for comparisons run from the shell.
#include "CatalogueGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--user-symptoms") == 0) {
        for (const auto& s : userSymptoms(std::strtoul(argv[2], nullptr, 10), 7)) {
            std::printf("%s=%g\n", s->name().c_str(), static_cast<double>(s->intensity));
        }
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE DISEASES | --user-symptoms COUNT\n", argv[0]);
        return 64;
    }
    writeCatalogueFile(argv[1], {.diseases = std::strtoul(argv[2], nullptr, 10), .seed = 20240601});
    return 0;
}
