// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit codes scripts rely on.
enum CliExit : int {
    kExitOk = 0,
    kExitProfile = 1,   // a profile or report that cannot be read or written, no symptom,
                        // no such disease
    kExitFailed = 1,    // a command that could not finish: out of memory, an unexpected error
    kExitCatalogue = 2, // a catalogue that cannot be read
    kExitProblems = 3,  // check found something to fix
    kExitUsage = 64,
};

// Runs one command line (without the program name).
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
