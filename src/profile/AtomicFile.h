// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Replaces the file at `path` with `content` without ever leaving it half
// written: the text goes to a new temporary file in the same folder, is
// flushed to disk, renamed over the target, and the folder is flushed too.
//
// - A link is followed, a dangling one included: its target is written.
// - Only a regular file is replaced; a folder, pipe, device or socket in the
//   way is refused.
// - A replaced file keeps its permission bits (never set-user-ID and the
//   like); a new one gets 0666 less the umask.
// - The file is a new one: other hard links to the old file keep the old
//   content.
//
// On failure the target is untouched, the temporary file removed, and
// `error` says why.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content,
                         std::string* error);
