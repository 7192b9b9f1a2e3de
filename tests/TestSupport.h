// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

std::filesystem::path testData(const std::string& relative);

// A fresh empty folder under the system's temporary folder, removed on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view bytes);

// Switches the process to a comma-decimal locale for the scope; skips the
// calling test when the system has none.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    bool active() const { return active_; }

private:
    bool active_ = false;
};

// One disease dictionary in XML, for building catalogues in tests.
std::string plistDocument(const std::string& rootEntries);
std::string diseaseEntry(const std::string& name, const std::string& organ,
                         const std::string& symptoms,
                         const std::string& frequency = "<integer>1</integer>",
                         const std::string& gravity = "<integer>20</integer>");

// The text without surrounding spaces, tabs and carriage returns.
std::string_view trimmed(std::string_view s);

// The presentations of a case file: "## ID" starts one, and its "key: value"
// lines are kept by key; other lines are for people. An ID given twice, or a
// file that cannot be read, fails the calling test.
struct CaseBlock {
    std::string where; // "FILE:LINE" of the "## ID" line
    std::map<std::string, std::string> fields;
};
std::map<std::string, CaseBlock> readCaseBlocks(const std::filesystem::path& file);

// The symptoms picked for each presentation of a case file: "> ID" starts
// one, "NAME=INTENSITY" lines follow (split at the last '='), '#' lines and
// blank lines are skipped. Anything else, or an ID given twice, fails the
// calling test with the file and line.
std::vector<std::pair<std::string, SymptomList>>
readPickedSymptoms(const std::filesystem::path& file);

SymptomList symptomsOf(std::initializer_list<std::pair<const char*, float>> items);

// Makes a folder read-only for this process for the scope, also when the
// tests run as root (which writes anywhere): then it acts as "nobody".
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::filesystem::path& folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    std::filesystem::path folder_;
    bool switchedUser_ = false;
};
