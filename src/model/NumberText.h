// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers as text, the same whatever the process locale.

// The whole text read as strtof reads it in the POSIX locale (decimal, hex,
// inf, infinity, nan, nan(...)); nothing when any character is left over.
std::optional<float> parseCFloat(std::string_view text);

// printf "%.Nf" of the value, with a point as decimal separator.
std::string formatFixed(double value, int decimals);

// The shortest decimal text that reads back as the same float ("inf", "-inf",
// "nan" for the special values).
std::string formatShortest(float value);
