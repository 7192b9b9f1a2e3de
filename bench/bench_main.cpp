// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CatalogueGenerator.h"

#include "engine/DiagnosticTools.h"
#include "model/DatabaseTools.h"

#include <benchmark/benchmark.h>
#include <cstdint>

#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr std::uint64_t kCatalogueSeed = 20240601;
constexpr std::uint64_t kUserSeed = 7;
constexpr std::size_t kUserSymptoms = 10;
constexpr std::size_t kProbeDiseases = 100000;

ScratchDirectory& scratch() {
    static ScratchDirectory directory;
    return directory;
}

// One file per size, written on first use and kept for the whole run.
const std::filesystem::path& catalogueFile(std::size_t diseases) {
    static std::map<std::size_t, std::filesystem::path> files;
    auto& file = files[diseases];
    if (file.empty()) {
        file = scratch().path() / ("catalogue-" + std::to_string(diseases) + ".plist");
        writeCatalogueFile(file, {.diseases = diseases, .seed = kCatalogueSeed});
    }
    return file;
}

// Only the catalogue in use stays in memory; the largest is sizeable.
const DiseaseList& loadedCatalogue(std::size_t diseases) {
    static std::size_t loadedSize = 0;
    static DiseaseList loaded;
    if (loadedSize != diseases) {
        loaded.clear();
        loaded = DatabaseTools::loadDiseases(catalogueFile(diseases));
        loadedSize = diseases;
    }
    return loaded;
}

// Each benchmark runs on the three catalogue sizes.
void catalogueSizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

// As the programs load: large files in two halves when two cores are free.
void loadCatalogue(benchmark::State& state, const CatalogueLoading& how) {
    const auto diseases = static_cast<std::size_t>(state.range(0));
    const auto& file = catalogueFile(diseases);
    std::size_t count = 0;
    for (auto _ : state) {
        DiseaseList loaded = DatabaseTools::loadDiseases(file, how);
        count = loaded.size();
        // Freeing the records is not part of loading them.
        state.PauseTiming();
        loaded = DiseaseList();
        state.ResumeTiming();
    }
    if (count != diseases) {
        state.SkipWithError("the loader returned a different number of diseases");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(diseases));
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

void BM_LoadCatalogueXml(benchmark::State& state) {
    loadCatalogue(state, CatalogueLoading{});
}
BENCHMARK(BM_LoadCatalogueXml)->Apply(catalogueSizes);

// The same file in one piece, on one core.
void BM_LoadCatalogueXmlOnePiece(benchmark::State& state) {
    CatalogueLoading how;
    how.twoHalvesFrom = UINT64_MAX;
    loadCatalogue(state, how);
}
BENCHMARK(BM_LoadCatalogueXmlOnePiece)->Apply(catalogueSizes);

void BM_GenerateDiagnostics(benchmark::State& state) {
    const auto diseases = static_cast<std::size_t>(state.range(0));
    const DiseaseList& catalogue = loadedCatalogue(diseases);
    const SymptomList user = userSymptoms(kUserSymptoms, kUserSeed);
    std::size_t found = 0;
    for (auto _ : state) {
        const DiagnosticList result = DiagnosticTools::generateDiagnostics(catalogue, user);
        found = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    // Guards against a benchmark that silently measures an empty result.
    if (found == 0) {
        state.SkipWithError("no disease matched the user's symptoms");
    }
    state.counters["matches"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(diseases));
}
BENCHMARK(BM_GenerateDiagnostics)->Apply(catalogueSizes);

// Peak memory is measured in a process of its own that does nothing but load,
// so neither the benchmark harness nor earlier runs inflate it.
int runLoadProbe() {
    const auto probe =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "sanoria-load-probe";
    const std::string file = catalogueFile(kProbeDiseases).string();
    const std::string program = probe.string();
    std::vector<char*> args{const_cast<char*>(program.c_str()), const_cast<char*>(file.c_str()),
                            nullptr};
    std::printf("\nLoading the %zu-disease XML catalogue (%.1f MB) in a separate process:\n",
                kProbeDiseases,
                static_cast<double>(std::filesystem::file_size(file)) / (1024.0 * 1024.0));
    std::fflush(stdout);
    pid_t pid = 0;
    if (const int error =
            posix_spawn(&pid, program.c_str(), nullptr, nullptr, args.data(), environ);
        error != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", program.c_str(), std::strerror(error));
        return 1;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", program.c_str());
        return 1;
    }
    return 0;
}

} // namespace

// Takes Google Benchmark's flags, and --no_load_probe to skip the memory probe.
int main(int argc, char** argv) {
    bool probe = true;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no_load_probe") == 0) {
            probe = false;
        } else {
            rest.push_back(argv[i]);
        }
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    if (benchmark::ReportUnrecognizedArguments(restCount, rest.data())) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return probe ? runLoadProbe() : 0;
}
