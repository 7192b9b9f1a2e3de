// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

// A whole file's bytes.
struct FileBytes {
    std::unique_ptr<char[]> data; // not zeroed first: a large file is written once
    std::size_t size = 0;
    std::string_view view() const { return {data.get(), size}; }
};

// Which step of reading a file failed.
enum class ReadStep { Open, Read };

// Reads a whole file with ordinary reads, so a file that changes underneath
// gives whatever bytes were there, never a signal. On failure returns false
// and sets `error` (when given) to the errno value, a folder being EISDIR,
// and `failedAt` to the step.
bool readWholeFile(const std::filesystem::path& path, FileBytes* bytes, int* error,
                   ReadStep* failedAt = nullptr);
