// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CatalogueGenerator.h"

#include "presentation/ReportHtml.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <system_error>

namespace {

// SplitMix64: tiny, and unlike the standard distributions it yields the same
// sequence with every standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Modulo bias is irrelevant at these sizes.
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }

private:
    std::uint64_t state_;
};

constexpr std::array<std::string_view, 11> kOrganKeys{
    "Brain",      "Throat",  "Lungs",  "Heart",   "Stomach",         "Liver",
    "Intestines", "Kidneys", "Uterus", "Bladder", "Muscles & Bones",
};

constexpr std::array<int, 5> kLevels{20, 40, 60, 80, 100};

constexpr std::array<std::string_view, 10> kQualifiers{
    "Sharp",  "Dull", "Burning",   "Throbbing", "Persistent",
    "Sudden", "Mild", "Recurrent", "Severe",    "Intermittent",
};
constexpr std::array<std::string_view, 10> kSites{
    "chest",  "abdominal", "lower back", "joint",  "head",
    "throat", "muscle",    "flank",      "pelvic", "neck",
};
constexpr std::array<std::string_view, 5> kComplaints{
    "pain", "swelling", "stiffness", "tenderness", "cramps",
};

constexpr std::array<std::string_view, 12> kSyllables{
    "car", "vel", "ian", "mor", "dex", "tra", "lin", "oss", "ur", "pha", "ne", "sco",
};
constexpr std::array<std::string_view, 6> kKinds{
    "syndrome", "disease", "fever", "disorder", "infection", "deficiency",
};

constexpr std::array<std::string_view, 6> kOpenings{
    "A common condition",      "An uncommon illness", "A chronic disorder",
    "A short-lived infection", "A rare condition",    "An inherited disorder",
};

// Description text; one phrase carries an ampersand so the loader's entity
// path is exercised as it would be by real prose.
constexpr std::array<std::string_view, 24> kPhrases{
    "mostly in adults",
    "that mostly affects adults",
    "often after an infection",
    "with fever & chills",
    "usually mild",
    "which may last several weeks",
    "treated with rest",
    "and plenty of fluids",
    "rarely serious",
    "seen more in winter",
    "linked to the patient's diet",
    "that can recur",
    "best confirmed by a doctor",
    "with a gradual onset",
    "affecting both sides",
    "worse in the morning",
    "eased by warmth",
    "in people over fifty",
    "after heavy exertion",
    "often hereditary",
    "needing a blood test",
    "with a good outlook",
    "sometimes without symptoms",
    "that spreads by contact",
};

void appendEscaped(std::string& out, std::string_view text) {
    out += escapeHtml(text); // the markup escapes of XML text
}

std::string diseaseName(Random& random, std::size_t index) {
    std::string name;
    const std::size_t syllables = 2 + random.below(2);
    for (std::size_t i = 0; i < syllables; ++i) {
        name += kSyllables[random.below(kSyllables.size())];
    }
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    name += ' ';
    name += kKinds[random.below(kKinds.size())];
    // The index keeps names unique, as the catalogue requires.
    name += ' ';
    name += std::to_string(index + 1);
    return name;
}

std::string description(Random& random) {
    const std::size_t target = 100 + random.below(101);
    std::string text(kOpenings[random.below(kOpenings.size())]);
    while (text.size() < target) {
        text += ", ";
        text += kPhrases[random.below(kPhrases.size())];
    }
    text += '.';
    return text;
}

// One decimal, e.g. "12.5", written without the locale.
std::string frequencyText(Random& random) {
    const std::size_t tenths = 1 + random.below(1000);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::vector<std::size_t> distinctIndices(Random& random, std::size_t count, std::size_t range) {
    if (count > range) {
        throw std::invalid_argument("more symptoms asked for than there are names");
    }
    std::vector<std::size_t> picked;
    picked.reserve(count);
    while (picked.size() < count) {
        const std::size_t candidate = random.below(range);
        bool taken = false;
        for (std::size_t p : picked) {
            taken = taken || p == candidate;
        }
        if (!taken) {
            picked.push_back(candidate);
        }
    }
    return picked;
}

} // namespace

const std::vector<std::string>& symptomNamePool() {
    static const std::vector<std::string> pool = [] {
        std::vector<std::string> names;
        names.reserve(kQualifiers.size() * kSites.size() * kComplaints.size());
        for (auto q : kQualifiers) {
            for (auto s : kSites) {
                for (auto c : kComplaints) {
                    names.push_back(std::string(q) + " " + std::string(s) + " " + std::string(c));
                }
            }
        }
        return names;
    }();
    return pool;
}

void writeCatalogueXml(std::ostream& out, const CatalogueShape& shape) {
    const auto& pool = symptomNamePool();
    Random random(shape.seed);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n<dict>\n";
    std::string entry;
    for (std::size_t i = 0; i < shape.diseases; ++i) {
        entry.clear();
        entry += "\t<key>";
        appendEscaped(entry, diseaseName(random, i));
        entry += "</key>\n\t<dict>\n\t\t<key>Description</key>\n\t\t<string>";
        appendEscaped(entry, description(random));
        entry += "</string>\n\t\t<key>Frequency</key>\n\t\t<real>";
        entry += frequencyText(random);
        entry += "</real>\n\t\t<key>Gravity</key>\n\t\t<integer>";
        entry += std::to_string(kLevels[random.below(kLevels.size())]);
        entry += "</integer>\n\t\t<key>Organ</key>\n\t\t<string>";
        appendEscaped(entry, kOrganKeys[random.below(kOrganKeys.size())]);
        entry += "</string>\n\t\t<key>Symptoms</key>\n\t\t<dict>\n";
        for (std::size_t s : distinctIndices(random, shape.symptomsPerDisease, pool.size())) {
            entry += "\t\t\t<key>";
            appendEscaped(entry, pool[s]);
            entry += "</key>\n\t\t\t<integer>";
            entry += std::to_string(kLevels[random.below(kLevels.size())]);
            entry += "</integer>\n";
        }
        entry += "\t\t</dict>\n\t</dict>\n";
        out << entry;
    }
    out << "</dict>\n</plist>\n";
}

std::string catalogueXml(const CatalogueShape& shape) {
    std::ostringstream out;
    writeCatalogueXml(out, shape);
    return std::move(out).str();
}

void writeCatalogueFile(const std::filesystem::path& file, const CatalogueShape& shape) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error("cannot create " + file.string());
    }
    writeCatalogueXml(out, shape);
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

SymptomList userSymptoms(std::size_t count, std::uint64_t seed) {
    const auto& pool = symptomNamePool();
    Random random(seed);
    SymptomList symptoms;
    for (std::size_t s : distinctIndices(random, count, pool.size())) {
        symptoms.push_back(
            makeSymptom(pool[s], static_cast<float>(kLevels[random.below(kLevels.size())])));
    }
    return symptoms;
}

ScratchDirectory::ScratchDirectory() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "sanoria-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        throw std::system_error(errno, std::generic_category(), "cannot create " + pattern);
    }
    path_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
