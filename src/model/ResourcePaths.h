// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

// The directory that holds the program's shipped files: the install's data
// folder ("share/sanoria" beside "bin" by default), found relative to the
// program both in the build tree and in an installed tree.
std::filesystem::path resourceDirectory();
std::filesystem::path executableDirectory();
