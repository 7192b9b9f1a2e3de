// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an XML catalogue: records or a CatalogueError, nothing else.
#include "model/CatalogueBuilder.h"
#include "model/DatabaseTools.h"
#include "model/PlistReaders.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        CatalogueBuilder builder("fuzz.plist");
        // Fed in two pieces, as a file arrives in reads.
        XmlCatalogueReader reader(builder);
        reader.feed(bytes.substr(0, size / 2), false);
        reader.feed(bytes.substr(size / 2), true);
        builder.take();
    } catch (const CatalogueError&) {
    }
    return 0;
}
