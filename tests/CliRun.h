// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Cli.h"

#include <sstream>
#include <string>
#include <vector>

// One run of the terminal program, with what it printed.
struct CliRun {
    int code;
    std::string out;
    std::string err;
};

inline CliRun cli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCli(args, out, err);
    return {code, out.str(), err.str()};
}
