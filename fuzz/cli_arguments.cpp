// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, split at NUL, as the NAME=INTENSITY arguments of `diagnose`
// over a small catalogue: output and an exit status, nothing else.
#include "cli/Cli.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::string cataloguePath;

constexpr const char* kCatalogue = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>Alpha</key><dict><key>Description</key><string>a</string><key>Frequency</key><integer>50</integer>
<key>Gravity</key><integer>40</integer><key>Organ</key><string>Heart</string>
<key>Symptoms</key><dict><key>Fever</key><integer>60</integer><key>Headache</key><integer>40</integer></dict></dict>
<key>Beta</key><dict><key>Description</key><string>b</string><key>Frequency</key><real>0.5</real>
<key>Gravity</key><integer>80</integer><key>Organ</key><string>Lungs</string>
<key>Symptoms</key><dict><key>Fever</key><integer>80</integer><key>Caf&#233;</key><real>20.5</real></dict></dict>
</dict></plist>
)";

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char path[] = "/tmp/sanoria-fuzz-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        std::abort();
    }
    close(fd);
    cataloguePath = path;
    std::ofstream(cataloguePath) << kCatalogue;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // "--" first: every argument is a symptom, never an option naming a file.
    std::vector<std::string> args{"diagnose", "--catalogue", cataloguePath, "--"};
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    args.push_back(current);
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCli(args, out, err);
    if (code != 0 && code != 1 && code != 64) {
        std::abort();
    }
    return 0;
}
