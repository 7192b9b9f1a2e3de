#include "model/DatabaseTools.h"

#include "model/CatalogueBuilder.h"
#include "model/Names.h"
#include "model/PlistReaders.h"
#include "model/ResourcePaths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unordered_set>

std::filesystem::path DatabaseTools::defaultCataloguePath() {
    return resourceDirectory() / "Database.plist";
}

DiseaseList DatabaseTools::loadDiseases() { return loadDiseases(defaultCataloguePath()); }

DiseaseList DatabaseTools::loadDiseases(const std::filesystem::path& file) {
    const std::string origin = file.string();
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        throw CatalogueError(origin + ": the catalogue file is missing");
    }
    if (std::filesystem::is_directory(file, ec)) {
        throw CatalogueError(origin + ": is a folder, not a catalogue file");
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw CatalogueError(origin + ": cannot be read (" + std::strerror(errno) + ")");
    }
    std::string bytes;
    const auto size = std::filesystem::file_size(file, ec);
    if (!ec) {
        bytes.reserve(size);
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        throw CatalogueError(origin + ": cannot be read (" + std::strerror(errno) + ")");
    }
    return parseDiseases(bytes, origin);
}

DiseaseList DatabaseTools::parseDiseases(std::string_view bytes, const std::string& origin) {
    CatalogueBuilder builder(origin);
    if (bytes.substr(0, 6) == "bplist") {
        readBinaryCatalogue(bytes, builder);
    } else {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
            bytes.remove_prefix(3);
        }
        readXmlCatalogue(bytes, builder);
    }
    return builder.take();
}

std::vector<std::string> DatabaseTools::symptomsForOrgan(const DiseaseList& diseases,
                                                        std::string_view organ) {
    std::vector<std::string> names;
    std::unordered_set<std::string> taken; // canonical forms
    for (const auto& disease : diseases) {
        if (!namesEqual(disease->organ, organ)) {
            continue;
        }
        for (const auto& symptom : disease->symptoms) {
            if (taken.insert(canonicalName(symptom->name)).second) {
                names.push_back(symptom->name);
            }
        }
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return nameLess(a, b); });
    return names;
}
