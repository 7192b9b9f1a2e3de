// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include <iostream>

int main(int argc, char** argv) {
    return runCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
