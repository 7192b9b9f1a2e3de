// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a binary catalogue: records or a CatalogueError, nothing else.
#include "model/DatabaseTools.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Most inputs would fail the signature; give every one a chance past it.
    std::string bytes = "bplist00";
    bytes.append(reinterpret_cast<const char*>(data), size);
    try {
        DatabaseTools::parseDiseases(bytes, "fuzz.plist");
    } catch (const CatalogueError&) {
    }
    return 0;
}
