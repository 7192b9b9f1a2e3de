// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "model/Version.h"

namespace {

constexpr const char* kUsage = R"(usage: sanoria [--help] [--version] [FILE.snp]

Opens the Sanoria window; with FILE.snp, opens that profile as File > Open does.
Qt's own options, such as -platform or -style, are accepted too.

  -h, --help     print this text and exit
  -v, --version  print the version and exit
)";

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    std::vector<std::string> files;
    std::string error;
    bool optionsEnded = false;
    for (const std::string& a : args) {
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (a == "--help" || a == "-h")) {
            return {CommandLine::Action::Help, {}, kUsage};
        } else if (!optionsEnded && (a == "--version" || a == "-v")) {
            if (line.action != CommandLine::Action::Version) {
                line = {CommandLine::Action::Version,
                        {},
                        std::string("sanoria ") + kSanoriaVersion + "\n"};
            }
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            if (error.empty()) {
                error = "unknown option " + a;
            }
        } else {
            files.push_back(a);
        }
    }
    if (line.action == CommandLine::Action::Version) {
        return line;
    }
    if (error.empty() && files.size() > 1) {
        error = "one profile at a time, got " + std::to_string(files.size());
    }
    if (!error.empty()) {
        return {CommandLine::Action::Error, {}, "sanoria: " + error + "\n" + kUsage};
    }
    if (!files.empty()) {
        line.profile = files.front();
    }
    return line;
}
