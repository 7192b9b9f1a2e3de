// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/DatabaseTools.h"

#include "model/CatalogueBuilder.h"
#include "model/Names.h"
#include "model/PlistReaders.h"
#include "model/ReadFile.h"
#include "model/ResourcePaths.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <unordered_set>

std::filesystem::path DatabaseTools::defaultCataloguePath() {
    return resourceDirectory() / "Database.plist";
}

DiseaseList DatabaseTools::loadDiseases() {
    return loadDiseases(defaultCataloguePath());
}

namespace {

bool isBinary(std::string_view bytes) {
    return bytes.substr(0, 6) == "bplist";
}

DiseaseList parse(std::string_view bytes, const std::string& origin) {
    CatalogueBuilder builder(origin);
    if (isBinary(bytes)) {
        readBinaryCatalogue(bytes, builder);
    } else {
        readXmlCatalogue(bytes, builder);
    }
    return builder.take();
}

} // namespace

DiseaseList DatabaseTools::loadDiseases(const std::filesystem::path& file) {
    const std::string origin = file.string();
    const auto unreadable = [&origin](int error) {
        return CatalogueError(origin + ": cannot be read (" + std::strerror(error) + ")");
    };
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            throw CatalogueError(origin + ": the catalogue file is missing");
        }
        throw unreadable(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        throw CatalogueError(origin + ": is a folder, not a catalogue file");
    }
    InputFile input(file);
    if (!input.isOpen()) {
        throw unreadable(errno);
    }

    // Ordinary reads: a file cut short underneath gives a parse error, never
    // a signal. XML is parsed as it arrives and never held whole.
    std::string chunk(std::size_t{1} << 20, '\0');
    const auto readChunk = [&](std::size_t from) {
        const long n = input.read(chunk.data() + from, chunk.size() - from);
        if (n < 0) {
            throw unreadable(errno);
        }
        return from + static_cast<std::size_t>(n);
    };
    std::size_t filled = 0;
    while (filled < 6) {
        const std::size_t now = readChunk(filled);
        if (now == filled) {
            break;
        }
        filled = now;
    }
    CatalogueBuilder builder(origin);
    if (isBinary(std::string_view(chunk).substr(0, filled))) {
        // The binary form refers back and forth across the file: read it whole.
        std::string bytes(chunk, 0, filled);
        for (;;) {
            filled = readChunk(0);
            if (filled == 0) {
                break;
            }
            bytes.append(chunk, 0, filled);
        }
        chunk = std::string();
        readBinaryCatalogue(bytes, builder);
        return builder.take();
    }
    XmlCatalogueReader reader(builder);
    for (;;) {
        if (filled == 0) {
            reader.feed({}, true);
            break;
        }
        reader.feed(std::string_view(chunk.data(), filled), false);
        filled = readChunk(0);
    }
    return builder.take();
}

DiseaseList DatabaseTools::parseDiseases(std::string_view bytes, const std::string& origin) {
    return parse(bytes, origin);
}

std::vector<std::string> DatabaseTools::symptomsForOrgan(const DiseaseList& diseases,
                                                         std::string_view organ) {
    std::vector<std::string> names;
    std::unordered_set<std::string> taken;
    for (const auto& disease : diseases) {
        if (!namesEqual(disease->organ, organ)) {
            continue;
        }
        for (const auto& symptom : disease->symptoms) {
            if (taken.insert(nameKey(symptom->name())).second) {
                names.push_back(symptom->name());
            }
        }
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return nameLess(a, b); });
    return names;
}
