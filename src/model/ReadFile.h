// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

// Reads a whole file with ordinary reads, so a file that changes underneath
// gives whatever bytes were there, never a signal. On failure returns false
// and sets `error` (when given) to the errno value; a folder is EISDIR.
bool readWholeFile(const std::filesystem::path& path, std::string* bytes, int* error);
