// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <unistd.h>

std::filesystem::path testData(const std::string& relative) {
    return std::filesystem::path(SANORIA_TEST_DATA) / relative;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sanoria-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

CommaLocale::CommaLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"}) {
        if (std::setlocale(LC_ALL, name)) {
            active_ = true;
            return;
        }
    }
}

CommaLocale::~CommaLocale() {
    std::setlocale(LC_ALL, "C");
}

std::string plistDocument(const std::string& rootEntries) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\"><dict>" +
           rootEntries + "</dict></plist>\n";
}

std::string diseaseEntry(const std::string& name, const std::string& organ,
                         const std::string& symptoms, const std::string& frequency,
                         const std::string& gravity) {
    return "<key>" + name + "</key><dict><key>Description</key><string>About " + name +
           ".</string><key>Frequency</key>" + frequency + "<key>Gravity</key>" + gravity +
           "<key>Organ</key><string>" + organ + "</string><key>Symptoms</key><dict>" + symptoms +
           "</dict></dict>";
}

SymptomList symptomsOf(std::initializer_list<std::pair<const char*, float>> items) {
    SymptomList list;
    for (const auto& [name, intensity] : items) {
        list.push_back(makeSymptom(name, intensity));
    }
    return list;
}

ReadOnlyFolder::ReadOnlyFolder(const std::filesystem::path& folder) : folder_(folder) {
    std::filesystem::permissions(folder_, std::filesystem::perms(0555));
    if (geteuid() == 0) {
        switchedUser_ = seteuid(65534) == 0;
    }
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (switchedUser_ && seteuid(0) != 0) {
        std::abort();
    }
    std::filesystem::permissions(folder_, std::filesystem::perms(0755));
}

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::map<std::string, CaseBlock> readCaseBlocks(const std::filesystem::path& file) {
    std::map<std::string, CaseBlock> blocks;
    std::ifstream in(file);
    EXPECT_TRUE(in) << file;
    std::string raw;
    CaseBlock* current = nullptr;
    for (int number = 1; std::getline(in, raw); ++number) {
        const std::string where = file.filename().string() + ":" + std::to_string(number);
        const std::string_view line = trimmed(raw);
        if (line.substr(0, 3) == "## ") {
            const std::string id(trimmed(line.substr(3)));
            EXPECT_FALSE(blocks.count(id)) << where << ": " << id << " again";
            current = &blocks[id];
            current->where = where;
            continue;
        }
        const auto colon = line.find(':');
        if (current && colon != std::string_view::npos) {
            current->fields.emplace(std::string(line.substr(0, colon)),
                                    std::string(trimmed(line.substr(colon + 1))));
        }
    }
    return blocks;
}

std::vector<std::pair<std::string, SymptomList>>
readPickedSymptoms(const std::filesystem::path& file) {
    std::vector<std::pair<std::string, SymptomList>> cases;
    std::ifstream in(file);
    EXPECT_TRUE(in) << file;
    std::set<std::string> seen;
    std::string raw;
    bool open = false;
    for (int number = 1; std::getline(in, raw); ++number) {
        const std::string where = file.filename().string() + ":" + std::to_string(number);
        const std::string_view line = trimmed(raw);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.substr(0, 2) == "> ") {
            std::string id(trimmed(line.substr(2)));
            open = seen.insert(id).second;
            EXPECT_TRUE(open) << where << ": " << id << " again";
            if (open) {
                cases.emplace_back(std::move(id), SymptomList{});
            }
            continue;
        }
        const auto eq = line.rfind('=');
        const auto intensity =
            eq == std::string_view::npos ? std::nullopt : parseCFloat(line.substr(eq + 1));
        if (!open || !intensity) {
            ADD_FAILURE() << where << ": not a symptom line of a presentation: " << line;
            continue;
        }
        cases.back().second.push_back(makeSymptom(std::string(line.substr(0, eq)), *intensity));
    }
    return cases;
}
