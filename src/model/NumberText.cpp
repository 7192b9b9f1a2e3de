// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/NumberText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

std::string special(float value) {
    if (std::isnan(value)) {
        return "nan";
    }
    return value < 0 ? "-inf" : "inf";
}

} // namespace

std::optional<float> parseCFloat(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const std::string copy(text); // strtof needs a terminator; an inner NUL stops it short
    char* end = nullptr;
    const float value = strtof_l(copy.c_str(), &end, cLocale());
    if (end != copy.c_str() + copy.size()) {
        return std::nullopt;
    }
    return value;
}

std::string formatFixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return special(static_cast<float>(value));
    }
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string formatShortest(float value) {
    if (!std::isfinite(value)) {
        return special(value);
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
