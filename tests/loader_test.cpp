// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "model/DatabaseTools.h"

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <cmath>
#include <cstdlib>

namespace {

DiseaseList parse(const std::string& xml) {
    return DatabaseTools::parseDiseases(xml, "test.plist");
}

// The loader's message for a catalogue that must fail, or "" when it loads.
std::string failure(const std::string& xml) {
    try {
        parse(xml);
    } catch (const CatalogueError& e) {
        return e.what();
    }
    return "";
}

const std::string kFever = "<key>Fever</key><integer>60</integer>";

std::string withDisease(const std::string& body) {
    return plistDocument("<key>Flu</key><dict>" + body + "</dict>");
}

const std::string kDescription = "<key>Description</key><string>d</string>";
const std::string kFrequency = "<key>Frequency</key><integer>5</integer>";
const std::string kGravity = "<key>Gravity</key><integer>40</integer>";
const std::string kOrgan = "<key>Organ</key><string>Lungs</string>";
const std::string kSymptoms = "<key>Symptoms</key><dict>" + kFever + "</dict>";

} // namespace

TEST(Loader, ReadsFieldsInFileOrder) {
    const auto diseases = DatabaseTools::loadDiseases(testData("catalogues/worked-example.plist"));
    ASSERT_EQ(diseases.size(), 4u);
    const char* names[] = {"Alpha", "Beta", "Gamma", "Delta"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(diseases[i]->name, names[i]);
    }
    const Disease& delta = *diseases[3];
    EXPECT_EQ(delta.desc, "Three symptoms.");
    EXPECT_EQ(delta.frequency, 10.0f);
    EXPECT_EQ(delta.gravity, 60.0f);
    EXPECT_EQ(delta.organ, "Heart");
    ASSERT_EQ(delta.symptoms.size(), 3u);
    EXPECT_EQ(delta.symptoms[0]->name(), "Fever");
    EXPECT_EQ(delta.symptoms[1]->name(), "Cough");
    EXPECT_EQ(delta.symptoms[2]->name(), "Headache");
    EXPECT_EQ(diseases[1]->desc, "Second & only fever.");
    EXPECT_EQ(diseases[2]->organ, "Muscles & Bones");
    // Each disease owns its own symptom records.
    EXPECT_NE(diseases[0]->symptoms[0], diseases[1]->symptoms[0]);
    EXPECT_EQ(diseases[0]->symptoms[0]->intensity, 60.0f);
    EXPECT_EQ(diseases[1]->symptoms[0]->intensity, 80.0f);
}

TEST(Loader, AcceptedShapes) {
    EXPECT_TRUE(parse(plistDocument("")).empty());
    EXPECT_TRUE(parse("<plist><dict/></plist>").empty());

    const auto one = parse(withDisease(kDescription + kFrequency + kGravity + kOrgan +
                                       "<key>Symptoms</key><dict/><key>Extra</key><array>"
                                       "<string>x</string><dict/></array>"));
    ASSERT_EQ(one.size(), 1u);
    EXPECT_TRUE(one[0]->symptoms.empty());

    // Integers and reals of the same value load alike; a real a float cannot
    // hold becomes the nearest float, read from its own text.
    const auto numbers = parse(
        withDisease("<key>Frequency</key><real>0.1</real><key>Gravity</key><real>40.0</real>" +
                    kDescription + kOrgan +
                    "<key>Symptoms</key><dict><key>A</key><real>2.5</real><key>B</key>"
                    "<integer>-3</integer><key>C</key><real> 1e1 </real></dict>"));
    EXPECT_EQ(numbers[0]->frequency, 0.1f);
    EXPECT_EQ(numbers[0]->gravity, 40.0f);
    EXPECT_EQ(numbers[0]->symptoms[0]->intensity, 2.5f);
    EXPECT_EQ(numbers[0]->symptoms[1]->intensity, -3.0f);
    EXPECT_EQ(numbers[0]->symptoms[2]->intensity, 10.0f);

    // Text as XML writes it: entities, character references, CDATA, comments.
    const auto text = parse(
        withDisease("<key>Description</key><string>a &lt;b&gt; &#233;&#x263A; <![CDATA[<raw> & ]]>"
                    "<!-- note -->end</string>" +
                    kFrequency + kGravity + kOrgan + kSymptoms));
    EXPECT_EQ(text[0]->desc, "a <b> \xC3\xA9\xE2\x98\xBA <raw> & end");
}

TEST(Loader, WhoAConditionAffectsIsReadButNeverFailsTheLoad) {
    const std::string base = kDescription + kFrequency + kGravity + kOrgan + kSymptoms;
    const auto tagged = parse(withDisease(
        base + "<key>Sex</key><string>female</string><key>Ages</key><array><string>adult</string>"
               "<string>older</string></array>"));
    EXPECT_EQ(tagged[0]->sex, "female");
    EXPECT_EQ(tagged[0]->ages, (std::vector<std::string>{"adult", "older"}));

    const auto plain = parse(withDisease(base));
    EXPECT_TRUE(plain[0]->sex.empty());
    EXPECT_TRUE(plain[0]->ages.empty());

    // Wrong kinds load, marked so that the catalogue check reports them.
    const auto odd = parse(withDisease(base + "<key>Sex</key><integer>1</integer><key>Ages</key>"
                                              "<array><string>adult</string><integer>3</integer>"
                                              "</array>"));
    EXPECT_EQ(odd[0]->sex, "<a number>");
    EXPECT_EQ(odd[0]->ages, (std::vector<std::string>{"<an array>"}));
}

TEST(Loader, NumbersIgnoreTheProcessLocale) {
    CommaLocale comma;
    ASSERT_TRUE(comma.active()) << "install-deps generates de_DE.UTF-8";
    const auto d = parse(withDisease(kDescription + "<key>Frequency</key><real>2.5</real>" +
                                     kGravity + kOrgan + kSymptoms));
    EXPECT_EQ(d[0]->frequency, 2.5f);
}

TEST(Loader, BinaryFormReadsLikeXml) {
    plist_t root = plist_new_dict();
    plist_t flu = plist_new_dict();
    plist_dict_set_item(flu, "Description", plist_new_string("Caf\xC3\xA9 fever"));
    plist_dict_set_item(flu, "Frequency", plist_new_real(0.1));
    plist_dict_set_item(flu, "Gravity", plist_new_uint(60));
    plist_dict_set_item(flu, "Organ", plist_new_string("Lungs"));
    plist_t symptoms = plist_new_dict();
    plist_dict_set_item(symptoms, "Fever", plist_new_uint(80));
    plist_dict_set_item(symptoms, "Cough", plist_new_real(40.0));
    plist_dict_set_item(flu, "Symptoms", symptoms);
    plist_dict_set_item(flu, "Sex", plist_new_string("male"));
    plist_t ages = plist_new_array();
    plist_array_append_item(ages, plist_new_string("child"));
    plist_dict_set_item(flu, "Ages", ages);
    plist_dict_set_item(root, "Flu", flu);
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &bytes, &length);
    plist_free(root);
    const std::string binary(bytes, length);
    std::free(bytes);

    TempDir dir;
    writeFile(dir / "Database.plist", binary);
    const auto d = DatabaseTools::loadDiseases(dir / "Database.plist");
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0]->desc, "Caf\xC3\xA9 fever");
    EXPECT_EQ(d[0]->frequency, 0.1f);
    EXPECT_EQ(d[0]->gravity, 60.0f);
    ASSERT_EQ(d[0]->symptoms.size(), 2u);
    EXPECT_EQ(d[0]->symptoms[0]->name(), "Fever");
    EXPECT_EQ(d[0]->symptoms[1]->intensity, 40.0f);
    EXPECT_EQ(d[0]->sex, "male");
    EXPECT_EQ(d[0]->ages, std::vector<std::string>{"child"});

    EXPECT_THROW(DatabaseTools::parseDiseases("bplist00 broken", "b.plist"), CatalogueError);
}

TEST(LoaderFailure, MissingOrUnreadableFile) {
    TempDir dir;
    try {
        DatabaseTools::loadDiseases(dir / "Database.plist");
        FAIL();
    } catch (const CatalogueError& e) {
        EXPECT_NE(std::string(e.what()).find("Database.plist"), std::string::npos);
    }
    EXPECT_THROW(DatabaseTools::loadDiseases(dir.path()), CatalogueError);
    EXPECT_NE(failure("not xml at all"), "");
    EXPECT_NE(failure("<plist><dict><key>A</key>"), ""); // cut short
    EXPECT_NE(failure(plistDocument("") + "<extra/>"), "");
}

TEST(LoaderFailure, RootNotADictionary) {
    EXPECT_NE(failure("<plist><array/></plist>").find("root"), std::string::npos);
    EXPECT_NE(failure("<plist><string>x</string></plist>"), "");
}

TEST(LoaderFailure, EntryNotADictionary) {
    const auto message = failure(plistDocument("<key>Flu</key><string>x</string>"));
    EXPECT_NE(message.find("\"Flu\""), std::string::npos) << message;
}

TEST(LoaderFailure, MissingKeyNamesDiseaseAndKey) {
    const std::string all[] = {kDescription, kFrequency, kGravity, kOrgan, kSymptoms};
    const char* keys[] = {"Description", "Frequency", "Gravity", "Organ", "Symptoms"};
    for (int missing = 0; missing < 5; ++missing) {
        std::string body;
        for (int i = 0; i < 5; ++i) {
            body += i == missing ? "" : all[i];
        }
        const auto message = failure(withDisease(body));
        EXPECT_NE(message.find("test.plist"), std::string::npos) << message;
        EXPECT_NE(message.find("\"Flu\""), std::string::npos) << message;
        EXPECT_NE(message.find(std::string("\"") + keys[missing] + "\""), std::string::npos)
            << message;
    }
    // Keys are case-sensitive.
    EXPECT_NE(failure(withDisease("<key>description</key><string>d</string>" + kFrequency +
                                  kGravity + kOrgan + kSymptoms)),
              "");
}

TEST(LoaderFailure, WrongValueTypes) {
    const std::string rest = kGravity + kOrgan + kSymptoms;
    EXPECT_NE(failure(withDisease("<key>Description</key><integer>1</integer>" + kFrequency + rest))
                  .find("\"Description\""),
              std::string::npos);
    // A number written as a string is not a number.
    EXPECT_NE(failure(withDisease(kDescription + "<key>Frequency</key><string>5</string>" + rest))
                  .find("\"Frequency\""),
              std::string::npos);
    EXPECT_NE(failure(withDisease(kDescription + kFrequency + "<key>Gravity</key><true/>" + kOrgan +
                                  kSymptoms)),
              "");
    EXPECT_NE(failure(withDisease(kDescription + kFrequency + kGravity + "<key>Organ</key><dict/>" +
                                  kSymptoms)),
              "");
    EXPECT_NE(failure(withDisease(kDescription + kFrequency + kGravity + kOrgan +
                                  "<key>Symptoms</key><array/>")),
              "");
    const auto message = failure(withDisease(kDescription + kFrequency + kGravity + kOrgan +
                                             "<key>Symptoms</key><dict><key>Fever</key>"
                                             "<string>60</string></dict>"));
    EXPECT_NE(message.find("\"Fever\""), std::string::npos) << message;
    EXPECT_NE(failure(withDisease(kDescription + "<key>Frequency</key><real>five</real>" + rest)),
              "");
}

TEST(LoaderFailure, DuplicateKeysWouldLoseData) {
    EXPECT_NE(failure(plistDocument(diseaseEntry("Flu", "Lungs", kFever) +
                                    diseaseEntry("Flu", "Heart", kFever))),
              "");
    EXPECT_NE(failure(plistDocument(diseaseEntry("Flu", "Lungs", kFever + kFever))), "");
    // Long lists are checked another way than short ones.
    std::string many;
    for (int i = 0; i < 40; ++i) {
        many += "<key>Sign " + std::to_string(i) + "</key><integer>20</integer>";
    }
    EXPECT_EQ(parse(plistDocument(diseaseEntry("Flu", "Lungs", many)))[0]->symptoms.size(), 40u);
    for (const int repeated : {3, 30}) {
        EXPECT_NE(
            failure(plistDocument(diseaseEntry("Flu", "Lungs",
                                               many + "<key>Sign " + std::to_string(repeated) +
                                                   "</key><integer>40</integer>")))
                .find("\"Sign " + std::to_string(repeated) + "\" is listed twice"),
            std::string::npos);
    }
}

TEST(LoaderFailure, DamagedFilesFailCleanly) {
    // Every cut and every flipped byte of a good catalogue either loads or
    // fails with a message: never a crash, never a partial list.
    const std::string good = readFile(testData("catalogues/worked-example.plist"));
    const auto whole = parse(good).size();
    const std::size_t end = good.rfind("</plist>") + 8;
    for (std::size_t cut = 0; cut < end; cut += 7) {
        EXPECT_THROW(parse(good.substr(0, cut)), CatalogueError) << cut;
    }
    for (std::size_t at = 0; at < good.size(); at += 3) {
        for (const char byte : {'<', '>', '&', '/', '\0', '\xFF', 'x'}) {
            std::string damaged = good;
            damaged[at] = byte;
            try {
                EXPECT_EQ(parse(damaged).size(), whole) << at;
            } catch (const CatalogueError&) {
            }
        }
    }
}

TEST(Loader, Utf16XmlReadsLikeUtf8) {
    const std::string utf8 = readFile(testData("catalogues/worked-example.plist"));
    std::string utf16 = "\xFF\xFE";
    for (const char c : utf8) {
        utf16 += c; // the example is ASCII: each character one unit, little-endian
        utf16 += '\0';
    }
    const auto pos = utf16.find(std::string("U\0T\0F\0-\0008", 10));
    ASSERT_NE(pos, std::string::npos);
    utf16.replace(pos, 10, std::string("U\0T\0F\0-\0001\0006", 12));
    const auto a = parse(utf8);
    const auto b = parse(utf16);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i]->name, b[i]->name);
        EXPECT_EQ(a[i]->desc, b[i]->desc);
    }
    // A byte lost in the middle shifts every unit after it: refused with a
    // message, not misread.
    std::string shifted = utf16;
    shifted.erase(shifted.size() / 2, 1);
    const auto message = failure(shifted);
    EXPECT_NE(message.find("not a valid XML property list"), std::string::npos) << message;
}
