// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "model/DatabaseTools.h"
#include "model/Names.h"

#include <gtest/gtest.h>

namespace {
const char* kPrecomposed = "Caf\xC3\xA9"; // é as one code point
const char* kDecomposed = "Cafe\xCC\x81"; // e + combining acute
} // namespace

TEST(Names, EqualityIsExactOrCanonical) {
    EXPECT_TRUE(namesEqual("Fever", "Fever"));
    EXPECT_FALSE(namesEqual("Fever", "fever"));
    EXPECT_FALSE(namesEqual("Fever", "Fever "));
    EXPECT_FALSE(namesEqual("Fever", " Fever"));
    EXPECT_TRUE(namesEqual(kPrecomposed, kDecomposed));
    EXPECT_FALSE(namesEqual(kPrecomposed, "Cafe"));
    // A plain ASCII name equals only itself, even where Unicode maps a sign to it.
    EXPECT_FALSE(namesEqual("\xE2\x84\xAA", "K"));
    EXPECT_NE(nameKey("\xE2\x84\xAA"), nameKey("K"));
    EXPECT_EQ(nameKey(kPrecomposed), nameKey(kDecomposed));
    EXPECT_TRUE(nameLess("K", "\xE2\x84\xAA") != nameLess("\xE2\x84\xAA", "K"));
    EXPECT_TRUE(namesEqual("\xFF", "\xFF")); // invalid UTF-8 equals only itself
    EXPECT_FALSE(namesEqual("\xFF", "\xFE"));
}

TEST(Names, Order) {
    EXPECT_TRUE(nameLess("Zebra", "apple"));
    EXPECT_TRUE(nameLess("Ab", "Abc"));
    EXPECT_FALSE(nameLess("Abc", "Ab"));
    EXPECT_FALSE(nameLess(kPrecomposed, kDecomposed));
    EXPECT_FALSE(nameLess(kDecomposed, kPrecomposed));
    EXPECT_TRUE(nameLess("Cafe", kDecomposed));
}

TEST(SymptomsForOrgan, DistinctSortedAndOrganExact) {
    const auto catalogue = DatabaseTools::parseDiseases(
        plistDocument(diseaseEntry("A", "Liver",
                                   "<key>nausea</key><integer>20</integer>"
                                   "<key>Jaundice</key><integer>80</integer>") +
                      diseaseEntry("B", "Liver",
                                   "<key>Jaundice</key><integer>40</integer>"
                                   "<key>Caf\xC3\xA9</key><integer>40</integer>") +
                      diseaseEntry("C", "Liver", "<key>Cafe\xCC\x81</key><integer>40</integer>") +
                      diseaseEntry("D", "liver", "<key>Hidden</key><integer>40</integer>") +
                      diseaseEntry("E", "Heart", "<key>Chest pain</key><integer>40</integer>")),
        "t.plist");
    const auto names = DatabaseTools::symptomsForOrgan(catalogue, "Liver");
    EXPECT_EQ(names, (std::vector<std::string>{"Caf\xC3\xA9", "Jaundice", "nausea"}));
    EXPECT_TRUE(DatabaseTools::symptomsForOrgan(catalogue, "Brain").empty());
    EXPECT_TRUE(DatabaseTools::symptomsForOrgan({}, "Heart").empty());
}
