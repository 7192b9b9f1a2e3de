// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A large XML catalogue may be read as two halves at once. Whatever the
// file, the result must be what reading it in one piece gives: the same
// records, the same ids, the same diagnosis, the same message for a fault.

#include "TestSupport.h"
#include "engine/DiagnosticTools.h"
#include "model/DatabaseTools.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const std::string kProlog = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                            "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n";

// One disease laid out as real catalogues are. Names recur across the whole
// file, and two canonically equivalent spellings of one name sit far apart.
std::string entry(int i, const std::string& name = "") {
    std::string e = "\t<key>" + (name.empty() ? "Condition " + std::to_string(i) : name) +
                    "</key>\n\t<dict>\n"
                    "\t\t<key>Description</key>\n\t\t<string>About condition " +
                    std::to_string(i) +
                    " &amp; its course.</string>\n"
                    "\t\t<key>Frequency</key>\n\t\t<real>" +
                    std::to_string(i % 97) +
                    ".5</real>\n"
                    "\t\t<key>Gravity</key>\n\t\t<integer>" +
                    std::to_string(20 * (1 + i % 5)) +
                    "</integer>\n"
                    "\t\t<key>Organ</key>\n\t\t<string>Heart</string>\n";
    if (i % 7 == 0) {
        e += "\t\t<key>Sex</key>\n\t\t<string>female</string>\n"
             "\t\t<key>Ages</key>\n\t\t<array><string>adult</string></array>\n";
    }
    e += "\t\t<key>Symptoms</key>\n\t\t<dict>\n";
    for (int j = 0; j < 5; ++j) {
        e += "\t\t\t<key>Symptom " + std::to_string((i * 7 + j * 13) % 300) +
             "</key>\n\t\t\t<integer>" + std::to_string(20 * (1 + (i + j) % 5)) + "</integer>\n";
    }
    if (i % 50 == 10) {
        e += "\t\t\t<key>Caf\xC3\xA9 ache</key>\n\t\t\t<integer>40</integer>\n";
    }
    if (i % 50 == 35) {
        e += "\t\t\t<key>Cafe\xCC\x81 ache</key>\n\t\t\t<integer>60</integer>\n";
    }
    return e + "\t\t</dict>\n\t</dict>\n";
}

std::string entries(int from, int to) {
    std::string text;
    for (int i = from; i < to; ++i) {
        text += entry(i);
    }
    return text;
}

std::string wrapped(const std::string& body) {
    return kProlog + "<plist version=\"1.0\">\n<dict>\n" + body + "</dict>\n</plist>\n";
}

constexpr int kCount = 2000;

struct Loaded {
    DiseaseList diseases;
    std::string error;
    bool twoHalves = false;
};

Loaded load(const std::string& bytes, bool allowTwoHalves) {
    TempDir dir;
    writeFile(dir / "Database.plist", bytes);
    Loaded result;
    CatalogueLoading how;
    how.twoHalvesFrom = allowTwoHalves ? 0 : UINT64_MAX;
    how.cores = 2;
    how.readInTwoHalves = &result.twoHalves;
    try {
        result.diseases = DatabaseTools::loadDiseases(dir / "Database.plist", how);
    } catch (const CatalogueError& e) {
        // The folder differs from one load to the other; the rest must not.
        result.error = e.what();
        result.error.erase(0, result.error.find("Database.plist"));
    }
    return result;
}

std::uint32_t bits(float f) {
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

void expectSame(const DiseaseList& a, const DiseaseList& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        const Disease& x = *a[i];
        const Disease& y = *b[i];
        ASSERT_EQ(x.name, y.name);
        EXPECT_EQ(x.desc, y.desc);
        EXPECT_EQ(bits(x.frequency), bits(y.frequency));
        EXPECT_EQ(bits(x.gravity), bits(y.gravity));
        EXPECT_EQ(x.organ, y.organ);
        EXPECT_EQ(x.sex, y.sex);
        EXPECT_EQ(x.ages, y.ages);
        EXPECT_EQ(x.indexSlot, y.indexSlot);
        ASSERT_EQ(x.symptoms.size(), y.symptoms.size()) << x.name;
        for (std::size_t j = 0; j < x.symptoms.size(); ++j) {
            EXPECT_EQ(x.symptoms[j]->name(), y.symptoms[j]->name());
            EXPECT_EQ(bits(x.symptoms[j]->intensity), bits(y.symptoms[j]->intensity));
            EXPECT_EQ(x.symptoms[j]->nameId, y.symptoms[j]->nameId) << x.name;
        }
    }
    // The scores come from the index, which must agree as well.
    for (const auto& user :
         {SymptomList{makeSymptom("Symptom 13", 60.0f), makeSymptom("Symptom 200", 20.0f)},
          SymptomList{makeSymptom("Caf\xC3\xA9 ache", 40.0f), makeSymptom("Symptom 7", 80.0f),
                      makeSymptom("Symptom 299", 100.0f)}}) {
        const auto p = DiagnosticTools::generateDiagnostics(a, user);
        const auto q = DiagnosticTools::generateDiagnostics(b, user);
        ASSERT_EQ(p.size(), q.size());
        for (std::size_t i = 0; i < p.size(); ++i) {
            EXPECT_EQ(p[i]->disease->name, q[i]->disease->name);
            EXPECT_EQ(bits(p[i]->probability), bits(q[i]->probability));
        }
    }
}

// Loads the bytes both ways; they must agree, and the two halves must have
// been used exactly when `splits` says so.
void expectSameEitherWay(const std::string& bytes, bool splits) {
    const Loaded one = load(bytes, false);
    const Loaded two = load(bytes, true);
    EXPECT_FALSE(one.twoHalves);
    EXPECT_EQ(two.twoHalves, splits);
    EXPECT_EQ(two.error, one.error);
    expectSame(two.diseases, one.diseases);
}

} // namespace

TEST(TwoHalves, ReadLikeOnePiece) {
    const std::string doc = wrapped(entries(0, kCount));
    expectSameEitherWay(doc, true);
    const Loaded two = load(doc, true);
    ASSERT_EQ(two.diseases.size(), static_cast<std::size_t>(kCount));
    // The two spellings of one name, one in each half, share an id.
    const auto& nfc = two.diseases[10]->symptoms.back();
    const auto& nfd = two.diseases[kCount - 15]->symptoms.back();
    EXPECT_NE(nfc->name(), nfd->name());
    EXPECT_EQ(nfc->nameId, nfd->nameId);

    // A root dictionary without the <plist> wrapper, and one holding a single
    // disease, where no cut is possible.
    expectSameEitherWay(kProlog + "<dict>\n" + entries(0, kCount) + "</dict>\n", true);
    expectSameEitherWay(wrapped(entry(1)), false);
}

// The document `before + fake + after`, padded inside `before` and `after` so
// that `fake` sits just past the middle, where the cut is looked for.
std::string withFakeAtTheMiddle(const std::string& head, const std::string& fake,
                                const std::string& tail) {
    const std::size_t padAfter = 100000;
    const std::size_t padBefore = fake.size() + padAfter + tail.size() - head.size() + 20;
    return head + std::string(padBefore, 'x') + fake + std::string(padAfter, 'x') + tail;
}

TEST(TwoHalves, CutThatFallsInsideSomethingElseIsNotUsed) {
    // Text that looks like a boundary between diseases, in the middle of the
    // file, inside a comment, a processing instruction and a section.
    const std::string fake = "</dict>\n\t<key>Condition 0</key>\n";
    const std::string start = kProlog + "<plist version=\"1.0\">\n<dict>\n" + entries(0, 100);
    const std::string end = entries(100, 200) + "</dict>\n</plist>\n";
    for (const auto& [open, close] : {std::pair{"<!-- ", " -->"}, std::pair{"<?note ", " ?>"}}) {
        SCOPED_TRACE(open);
        expectSameEitherWay(withFakeAtTheMiddle(start + open, fake, close + ("\n" + end)), false);
    }
    const std::string cdata = entry(100); // the section inside a description
    const std::size_t at = cdata.find("About");
    expectSameEitherWay(
        withFakeAtTheMiddle(start + cdata.substr(0, at) + "<![CDATA[", fake,
                            "]]>" + cdata.substr(at) + entries(101, 200) + "</dict>\n</plist>\n"),
        false);
    // A declared encoding other than UTF-8 is read in one piece only: these
    // Latin-1 bytes would also pass for UTF-8, with another meaning.
    const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<plist><dict>\n" +
                               entries(0, kCount) + entry(kCount, "Fi\xC3\xA9vre") +
                               "</dict></plist>\n";
    expectSameEitherWay(latin1, false);
    EXPECT_EQ(load(latin1, true).diseases.back()->name, "Fi\xC3\x83\xC2\xA9vre");
}

TEST(TwoHalves, FaultsGetTheMessageOfTheOnePieceRead) {
    const std::string first = entries(0, kCount / 2);
    const std::string second = entries(kCount / 2, kCount);
    std::string missingKey = second;
    missingKey.erase(missingKey.rfind("\t\t<key>Organ</key>"),
                     std::strlen("\t\t<key>Organ</key>\n\t\t<string>Heart</string>\n"));
    std::string badXml = second;
    badXml.replace(badXml.rfind("</string>"), 9, "</strong>");
    const std::string faults[] = {
        wrapped(first + second + entry(0, "Condition 3")),    // listed twice, across the halves
        wrapped(first + entry(5, "Condition 1500") + second), // the same, the other way round
        wrapped(first + missingKey),
        wrapped(first + badXml),
        wrapped(first + second).substr(0, wrapped(first + second).size() - 30), // cut short
        wrapped(first + second) + "<plist/>",                                   // a second root
    };
    for (const auto& doc : faults) {
        const Loaded one = load(doc, false);
        const Loaded two = load(doc, true);
        EXPECT_FALSE(one.error.empty());
        EXPECT_EQ(two.error, one.error);
        EXPECT_TRUE(two.diseases.empty());
    }
    // A fault in the first half, with a clean second half.
    std::string early = first;
    early.replace(early.find("<real>"), 6, "<real>x");
    const Loaded one = load(wrapped(early + second), false);
    EXPECT_EQ(load(wrapped(early + second), true).error, one.error);
    EXPECT_NE(one.error.find("Condition 0"), std::string::npos) << one.error;
}
