// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SymptomNames.h"

#include "model/Names.h"

#include <stdexcept>

std::uint32_t SymptomNames::intern(std::string_view name) {
    // A plain name is its own key: no copy needed to look it up.
    const bool ascii = isAscii(name);
    const std::string key = ascii ? std::string() : nameKey(name);
    const std::string_view lookup = ascii ? name : std::string_view(key);
    if (const auto found = ids_.find(lookup); found != ids_.end()) {
        return found->second;
    }
    if (ids_.size() >= kNoNameId) {
        throw std::length_error("too many distinct symptom names");
    }
    const auto id = static_cast<std::uint32_t>(ids_.size());
    ids_.emplace(std::string(lookup), id);
    return id;
}

std::optional<std::uint32_t> SymptomNames::find(std::string_view name) const {
    const bool ascii = isAscii(name);
    const std::string key = ascii ? std::string() : nameKey(name);
    const auto found = ids_.find(ascii ? name : std::string_view(key));
    if (found == ids_.end()) {
        return std::nullopt;
    }
    return found->second;
}
