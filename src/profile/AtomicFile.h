// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Replaces the file at `path` with `content` without ever leaving it half
// written: the text goes to a temporary file in the same folder, is flushed to
// disk, and is renamed over the target. A link is followed and its target
// replaced. On failure the target is untouched, the temporary file removed,
// and `error` says why.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content,
                         std::string* error);
