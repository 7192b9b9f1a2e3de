// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// A small integer for each distinct symptom name of a catalogue: two names get
// the same id exactly when namesEqual holds for them. The diagnosis then
// compares ids instead of text.
inline constexpr std::uint32_t kNoNameId = std::numeric_limits<std::uint32_t>::max();

class SymptomNames {
public:
    // The name's id, given a new one when no equal name has one yet.
    std::uint32_t intern(std::string_view name);
    // The id of a name equal to `name`, or nothing.
    std::optional<std::uint32_t> find(std::string_view name) const;
    std::uint32_t size() const { return static_cast<std::uint32_t>(ids_.size()); }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const noexcept {
            return std::hash<std::string_view>{}(key);
        }
    };
    // Keyed by nameKey, so canonically equivalent names share an entry.
    std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> ids_;
};
