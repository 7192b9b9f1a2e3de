// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

// A profile: UTF-8 text, two lines per symptom (the name, then the intensity),
// each ending with LF.

inline constexpr std::string_view kProfileExtension = "snp";
inline constexpr std::string_view kDefaultProfileName = "profile.snp";

// printf "%g" in the POSIX locale, with ".0" added to whole numbers ("50.0",
// "1e-05", "-0.0"); "nan", "inf" and "-inf" for the special values.
std::string profileNumberText(float value);

// One intensity line: no white space, nothing outside ASCII, and the whole
// text one number as strtof reads it.
std::optional<float> parseProfileNumber(std::string_view piece);

std::string profileText(const SymptomList& symptoms);

// Whether the text holds a line separator (LF, VT, FF, CR, NEL, LS or PS). A
// symptom name is one line of a profile, so it never may.
bool holdsLineBreak(std::string_view text);

// The path a profile is saved to: the chosen one, with ".snp" added unless it
// already ends in it ("2024.05.01" gives "2024.05.01.snp").
std::string withProfileExtension(std::string path);
// The path ending in "." and the extension: added unless it ends so already,
// whatever other dots the name holds.
std::string withExtension(std::string path, std::string_view extension);

// More symptoms than anyone enters by hand; a file holding more is refused
// rather than read into several times its size in memory.
inline constexpr std::size_t kMaxProfileSymptoms = 1'000'000;

// The symptoms of a profile's text, or nothing when any of it is malformed;
// then `error`, when given, says what is wrong, for the user.
std::optional<SymptomList> parseProfileText(std::string_view text, std::string* error = nullptr);

// File bytes as UTF-8 text: UTF-8 (a byte-order mark skipped) or UTF-16 with a
// byte-order mark. Nothing when the bytes do not decode.
std::optional<std::string> decodeProfileBytes(std::string_view bytes);

// Reads and parses a profile file; nothing when any step fails, and then
// `error`, when given, says why.
std::optional<SymptomList> readProfileFile(const std::filesystem::path& path,
                                           std::string* error = nullptr);

struct SaveResult {
    bool ok = false;
    std::string error; // why it failed, for the user
};

// Writes the profile beside its target and renames it into place, so a failed
// save leaves the previous file whole. When there was no previous file, says
// so on `out` as a "Remove failed: " line.
SaveResult saveProfileFile(const std::filesystem::path& path, const SymptomList& symptoms,
                           std::ostream& out);
