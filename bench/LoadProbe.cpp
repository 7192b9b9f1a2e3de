// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Loads one catalogue and reports how long it took and the process's peak
// resident memory. It runs alone so that the peak belongs to the load only.

#include "model/DatabaseTools.h"
#include "profile/ProfileFormat.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

namespace {

// A "VmHWM:"-style line of /proc/self/status, in kB.
std::optional<long> statusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, field.size(), field) == 0) {
            return std::stol(line.substr(field.size()));
        }
    }
    return std::nullopt;
}

// VmHWM belongs to this program's own address space. getrusage's ru_maxrss is
// the fallback only: on Linux it also counts the parent's memory, which a
// spawned child shares until exec, so a large parent would inflate it.
long peakKilobytes() {
    if (const auto hwm = statusKilobytes("VmHWM:")) {
        return *hwm;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double megabytes(long kilobytes) {
    return static_cast<double>(kilobytes) / 1024.0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--profile") {
        // The same for a profile: time, peak memory, and whether it was read.
        const auto start = std::chrono::steady_clock::now();
        const auto list = readProfileFile(argv[2]);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        std::printf("profile probe: %s, %zu symptoms in %.0f ms, peak RSS %.1f MB\n",
                    list ? "read" : "refused", list ? list->size() : 0, ms,
                    megabytes(peakKilobytes()));
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CATALOGUE | --profile FILE\n", argv[0]);
        return 2;
    }
    const long before = peakKilobytes();
    const auto start = std::chrono::steady_clock::now();
    DiseaseList diseases;
    try {
        diseases = DatabaseTools::loadDiseases(argv[1]);
    } catch (const CatalogueError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    const auto stop = std::chrono::steady_clock::now();
    const double ms = std::chrono::duration<double, std::milli>(stop - start).count();
    const long peak = peakKilobytes();
    std::printf("load probe: %zu diseases in %.0f ms, peak RSS %.1f MB (%.1f MB before loading)\n",
                diseases.size(), ms, megabytes(peak), megabytes(before));
    return 0;
}
