// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// What the desktop program's own arguments ask for. Qt's options (-platform,
// -style, ...) are taken out by QApplication before the second reading.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string profile; // the profile to open at start, or empty
    std::string text;    // what to print: usage, version or the error
};

// Reads the arguments that follow the program name. --help and --version win
// over anything else on the line, so they work before a display is opened.
CommandLine parseCommandLine(const std::vector<std::string>& args);

inline constexpr int kExitUsageError = 64;
