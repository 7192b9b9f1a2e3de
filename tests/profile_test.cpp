// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "model/NumberText.h"
#include "profile/ProfileFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

TEST(ProfileNumber, TextTable) {
    EXPECT_EQ(profileNumberText(50.0f), "50.0");
    EXPECT_EQ(profileNumberText(0.5f), "0.5");
    EXPECT_EQ(profileNumberText(57.34211f), "57.3421");
    EXPECT_EQ(profileNumberText(99.99999f), "100.0");
    EXPECT_EQ(profileNumberText(0.00001f), "1e-05");
    EXPECT_EQ(profileNumberText(1e6f), "1e+06");
    EXPECT_EQ(profileNumberText(-0.0f), "-0.0");
    EXPECT_EQ(profileNumberText(123456.0f), "123456.0");
    EXPECT_EQ(profileNumberText(0.0001f), "0.0001");
    EXPECT_EQ(profileNumberText(-20.0f), "-20.0");
    EXPECT_EQ(profileNumberText(std::numeric_limits<float>::quiet_NaN()), "nan");
    EXPECT_EQ(profileNumberText(-std::numeric_limits<float>::quiet_NaN()), "nan");
    EXPECT_EQ(profileNumberText(INFINITY), "inf");
    EXPECT_EQ(profileNumberText(-INFINITY), "-inf");
}

TEST(ProfileNumber, ParsingRules) {
    EXPECT_EQ(parseProfileNumber("60.0"), 60.0f);
    EXPECT_EQ(parseProfileNumber("1e-05"), 0.00001f);
    EXPECT_EQ(parseProfileNumber("0x1p-2"), 0.25f);
    EXPECT_EQ(parseProfileNumber("-INFINITY"), -INFINITY);
    EXPECT_EQ(parseProfileNumber("+7"), 7.0f);
    EXPECT_EQ(parseProfileNumber(".5"), 0.5f);
    EXPECT_TRUE(std::isnan(*parseProfileNumber("nan")));
    EXPECT_TRUE(std::isnan(*parseProfileNumber("NaN(123abc)")));
    EXPECT_EQ(parseProfileNumber("1e99"), INFINITY); // as strtof reads it
    for (const char* bad :
         {"", " 60", "60 ", "6 0", "60\t", "50,0", "60.0x", "abc", "--5", "+-5", "0x", "1e",
          "\xC2\xA0"
          "5",
          "\xEF\xBC\x95"}) {
        EXPECT_FALSE(parseProfileNumber(bad).has_value()) << "\"" << bad << "\"";
    }
    EXPECT_FALSE(parseProfileNumber(std::string("5\0", 2)).has_value());
    // Every text the writer makes reads back.
    for (float v : {0.0f, -0.0f, 1e-30f, 3.4028235e38f, 57.34211f, 1e-45f, INFINITY}) {
        const auto back = parseProfileNumber(profileNumberText(v));
        ASSERT_TRUE(back.has_value()) << v;
        EXPECT_EQ(profileNumberText(*back), profileNumberText(v));
    }
}

TEST(ProfileNumber, CommaLocaleChangesNothing) {
    CommaLocale comma;
    ASSERT_TRUE(comma.active()) << "install-deps generates de_DE.UTF-8";
    EXPECT_EQ(profileNumberText(57.34211f), "57.3421");
    EXPECT_EQ(parseProfileNumber("2.5"), 2.5f);
    EXPECT_FALSE(parseProfileNumber("2,5").has_value());
    EXPECT_EQ(formatFixed(33.333332f, 1), "33.3");
    EXPECT_EQ(formatFixed(1234.5, 0), "1234");
    const auto list = parseProfileText("A\n0.5\n");
    ASSERT_TRUE(list);
    EXPECT_EQ((*list)[0]->intensity, 0.5f);
    EXPECT_EQ(profileText(*list), "A\n0.5\n");
}

TEST(ProfileText, WriterFormat) {
    EXPECT_EQ(profileText({}), "");
    EXPECT_EQ(profileText(symptomsOf({{"Chest pain", 80}, {"Vertigo", 60}})),
              "Chest pain\n80.0\nVertigo\n60.0\n");
    EXPECT_EQ(profileText(symptomsOf({{" spaced ", 20}, {"", 40}})), " spaced \n20.0\n\n40.0\n");
}

TEST(ProfileText, EdgeFiles) {
    auto read = [](std::string_view text) { return parseProfileText(text); };
    EXPECT_EQ(read("")->size(), 0u);
    EXPECT_FALSE(read("\n"));            // two pieces
    EXPECT_FALSE(read("\n\n"));          // empty name, empty number
    EXPECT_FALSE(read("Vertigo\n60.0")); // no final line end
    const auto lastIgnored = read("Vertigo\n60.0\nChest pain");
    ASSERT_TRUE(lastIgnored);
    ASSERT_EQ(lastIgnored->size(), 1u);
    EXPECT_EQ((*lastIgnored)[0]->name(), "Vertigo");
    EXPECT_FALSE(read("Vertigo\r\n60.0\r\n")); // the piece between CR and LF is no number
    EXPECT_FALSE(read("Vertigo\n 60.0\n"));
    const auto spaced = read("  Vertigo \n60.0\n");
    EXPECT_EQ((*spaced)[0]->name(), "  Vertigo ");
    const auto special = read("A\nnan\nB\ninf\nC\n-inf\nD\n1e-05\nE\n0x1p-2\n");
    ASSERT_EQ(special->size(), 5u);
    EXPECT_TRUE(std::isnan((*special)[0]->intensity));
    EXPECT_EQ((*special)[1]->intensity, INFINITY);
    EXPECT_EQ((*special)[2]->intensity, -INFINITY);
    EXPECT_EQ((*special)[4]->intensity, 0.25f);
    EXPECT_FALSE(read("A\n50,0\n"));
    // Every line separator counts: VT, FF, CR, NEL, LS, PS.
    const auto separators = read("A\v20\fB\r40\xC2\x85"
                                 "C\xE2\x80\xA8"
                                 "60\xE2\x80\xA9");
    ASSERT_TRUE(separators);
    ASSERT_EQ(separators->size(), 3u);
    EXPECT_EQ((*separators)[2]->intensity, 60.0f);
    // Duplicates and unknown names are taken as they are.
    EXPECT_EQ(read("X\n20\nX\n40\n")->size(), 2u);
    // A bad number after good pairs loses the whole file, not half of it.
    EXPECT_FALSE(read("A\n20\nB\nlots\n"));
}

TEST(ProfileText, Encodings) {
    EXPECT_EQ((*decodeProfileBytes("\xEF\xBB\xBFVertigo\n")), "Vertigo\n");
    // "Caf\u00e9\n" in UTF-16 both ways, with a pair for U+1F600.
    const std::string le("\xFF\xFE"
                         "C\0a\0f\0\xE9\0=\xD8\x00\xDE\n\0",
                         16);
    EXPECT_EQ(*decodeProfileBytes(le), "Caf\xC3\xA9\xF0\x9F\x98\x80\n");
    const std::string be("\xFE\xFF\0C\0a\0f\0\xE9\0\n", 12);
    EXPECT_EQ(*decodeProfileBytes(be), "Caf\xC3\xA9\n");
    EXPECT_FALSE(decodeProfileBytes("\xFF\xFE"
                                    "C"));                                // odd length
    EXPECT_FALSE(decodeProfileBytes(std::string("\xFF\xFE\x00\xDC", 4))); // lone surrogate
    EXPECT_FALSE(decodeProfileBytes("Caf\xE9\n"));                        // Latin-1, not UTF-8
    EXPECT_FALSE(decodeProfileBytes("\xC0\xAF"));                         // overlong
    EXPECT_FALSE(decodeProfileBytes("\xED\xA0\x80"));                     // encoded surrogate
}

TEST(ProfileFile, RoundTripAndMissingFileLine) {
    TempDir dir;
    const auto path = dir / "profile.snp";
    const auto list = symptomsOf({{"Chest pain", 80}, {"Caf\xC3\xA9", 57.34211f}});
    std::ostringstream out;
    ASSERT_TRUE(saveProfileFile(path, list, out).ok);
    EXPECT_EQ(out.str().rfind("Remove failed: ", 0), 0u) << out.str();
    EXPECT_EQ(readFile(path), "Chest pain\n80.0\nCaf\xC3\xA9\n57.3421\n");
    const auto back = readProfileFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ((*back)[1]->intensity, 57.3421f);

    // Overwriting says nothing and keeps the file's permissions.
    chmod(path.c_str(), 0640);
    std::ostringstream again;
    ASSERT_TRUE(saveProfileFile(path, symptomsOf({{"Vertigo", 60}}), again).ok);
    EXPECT_EQ(again.str(), "");
    EXPECT_EQ(readFile(path), "Vertigo\n60.0\n");
    struct stat info {};
    stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1); // no temporary file left behind

    EXPECT_FALSE(readProfileFile(dir / "absent.snp"));
    EXPECT_FALSE(readProfileFile(dir.path()));
}

TEST(ProfileFile, FailedSaveKeepsThePreviousFile) {
    TempDir dir;
    const auto path = dir / "profile.snp";
    writeFile(path, "Vertigo\n60.0\n");
    std::ostringstream out;
    {
        ReadOnlyFolder readOnly(dir.path());
        const auto result = saveProfileFile(path, symptomsOf({{"Other", 20}}), out);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find(dir.path().string()), std::string::npos) << result.error;
    }
    EXPECT_EQ(readFile(path), "Vertigo\n60.0\n");
    EXPECT_EQ(out.str(), ""); // there was a previous file

    // Writing "into" a path whose folder is a file fails for root as well.
    writeFile(dir / "plain", "x");
    const auto result = saveProfileFile(dir / "plain" / "p.snp", symptomsOf({{"A", 20}}), out);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());

    // A folder in the way is not replaced.
    std::filesystem::create_directory(dir / "folder.snp");
    EXPECT_FALSE(saveProfileFile(dir / "folder.snp", symptomsOf({{"A", 20}}), out).ok);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.snp"));
}

TEST(ProfileFile, SaveThroughALinkReplacesItsTarget) {
    TempDir dir;
    writeFile(dir / "real.snp", "Old\n20.0\n");
    std::filesystem::create_symlink(dir / "real.snp", dir / "link.snp");
    std::ostringstream out;
    ASSERT_TRUE(saveProfileFile(dir / "link.snp", symptomsOf({{"New", 40}}), out).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.snp"));
    EXPECT_EQ(readFile(dir / "real.snp"), "New\n40.0\n");
}

TEST(ProfileFile, NameWithALineBreakIsNeverWritten) {
    TempDir dir;
    writeFile(dir / "p.snp", "Vertigo\n60.0\n");
    std::ostringstream out;
    for (const char* name : {"Chest\npain", "A\rB",
                             "A\xE2\x80\xA8"
                             "B",
                             "A\xC2\x85"
                             "B"}) {
        const auto result = saveProfileFile(dir / "p.snp", symptomsOf({{name, 20}}), out);
        EXPECT_FALSE(result.ok) << name;
        EXPECT_NE(result.error.find("line break"), std::string::npos);
    }
    EXPECT_EQ(readFile(dir / "p.snp"), "Vertigo\n60.0\n");
}

TEST(ProfileText, HostileBytesNeverCrash) {
    // Whatever the bytes, reading ends in a list or in nothing.
    std::uint32_t state = 12345;
    const auto next = [&] { return state = state * 1664525u + 1013904223u; };
    const std::string alphabet(
        "A \n\r\v\f0123456789.e+-xXpPnaifINF()\xC2\x85\xE2\x80\xA8\xFF\xFE\xEF\xBB\xBF");
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        const std::size_t length = next() % 40;
        for (std::size_t i = 0; i < length; ++i) {
            bytes += alphabet[next() % alphabet.size()];
        }
        if (const auto text = decodeProfileBytes(bytes)) {
            if (const auto list = parseProfileText(*text)) {
                EXPECT_EQ(profileText(*list).empty(), list->empty());
            }
        }
    }
}

TEST(ProfileFile, SavesReplaceOnlyRegularFiles) {
    TempDir dir;
    std::ostringstream out;
    const auto list = symptomsOf({{"Fever", 60}});

    // A dangling link: its target is created, the link stays.
    std::filesystem::create_symlink("made-by-save.snp", dir / "dangling.snp");
    ASSERT_TRUE(saveProfileFile(dir / "dangling.snp", list, out).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "dangling.snp"));
    EXPECT_EQ(readFile(dir / "made-by-save.snp"), "Fever\n60.0\n");

    // A named pipe, or a link to a device, is left as it is.
    ASSERT_EQ(mkfifo((dir / "pipe.snp").c_str(), 0644), 0);
    const auto toPipe = saveProfileFile(dir / "pipe.snp", list, out);
    EXPECT_FALSE(toPipe.ok);
    EXPECT_NE(toPipe.error.find("is not a regular file"), std::string::npos) << toPipe.error;
    EXPECT_EQ(std::filesystem::status(dir / "pipe.snp").type(), std::filesystem::file_type::fifo);
    std::filesystem::create_symlink("/dev/null", dir / "null.snp");
    EXPECT_FALSE(saveProfileFile(dir / "null.snp", list, out).ok);
    EXPECT_EQ(std::filesystem::status("/dev/null").type(), std::filesystem::file_type::character);

    // A target name of the longest legal length still leaves room for the temporary one.
    const std::string longest(255, 'p');
    ASSERT_TRUE(saveProfileFile(dir / longest, list, out).ok) << longest.size();
    EXPECT_EQ(readFile(dir / longest), "Fever\n60.0\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              5); // no temporary file left behind
}

TEST(ProfileFile, SavesKeepPermissionBitsButNoSpecialOnes) {
    TempDir dir;
    std::ostringstream out;
    const auto list = symptomsOf({{"Fever", 60}});
    struct stat info {};

    // A new file follows the umask, which the save leaves as it found it.
    const mode_t before = umask(027);
    ASSERT_TRUE(saveProfileFile(dir / "new.snp", list, out).ok);
    const mode_t during = umask(before);
    EXPECT_EQ(during, 027u);
    ASSERT_EQ(stat((dir / "new.snp").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // A replaced file keeps its permissions, without set-user-ID and sticky bits.
    writeFile(dir / "old.snp", "Old\n20.0\n");
    ASSERT_EQ(chmod((dir / "old.snp").c_str(), 04751), 0);
    ASSERT_TRUE(saveProfileFile(dir / "old.snp", list, out).ok);
    ASSERT_EQ(stat((dir / "old.snp").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0751u);
}

TEST(ProfileFile, NamesTheReaderWouldRefuseOrChangeAreNeverWritten) {
    TempDir dir;
    writeFile(dir / "p.snp", "Vertigo\n60.0\n");
    std::ostringstream out;
    const struct {
        const char* name;
        const char* why;
    } cases[] = {{"Caf\xE9", "not UTF-8"},
                 {"\xED\xA0\x80", "not UTF-8"},
                 {"\xEF\xBB\xBF"
                  "Fever",
                  "byte-order mark"}};
    for (const auto& c : cases) {
        const auto result = saveProfileFile(dir / "p.snp", symptomsOf({{c.name, 20}}), out);
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_NE(result.error.find(c.why), std::string::npos) << result.error;
    }
    EXPECT_EQ(readFile(dir / "p.snp"), "Vertigo\n60.0\n");
    // Inside a name the mark is an ordinary character and reads back as written.
    ASSERT_TRUE(saveProfileFile(dir / "p.snp", symptomsOf({{"A\xEF\xBB\xBF", 20}}), out).ok);
    EXPECT_EQ((*readProfileFile(dir / "p.snp"))[0]->name(), "A\xEF\xBB\xBF");
}

TEST(ProfileText, MoreSymptomsThanAnyoneEntersAreRefused) {
    std::string text;
    for (std::size_t i = 0; i < kMaxProfileSymptoms; ++i) {
        text += "a\n1\n";
    }
    const auto most = parseProfileText(text);
    ASSERT_TRUE(most);
    EXPECT_EQ(most->size(), kMaxProfileSymptoms);
    text += "a\n1\n";
    EXPECT_FALSE(parseProfileText(text));
}

TEST(ProfileFile, ReadFailuresSayWhy) {
    TempDir dir;
    const struct {
        const char* file;
        std::string bytes; // empty: no file is written
        const char* reason;
    } rows[] = {
        {"absent.snp", "", "The file cannot be opened: No such file or directory."},
        {"latin.snp", "Caf\xE9\n20\n", "The file is not UTF-8 or UTF-16 text."},
        {"word.snp", "A\n20\nB\nlots\n", "Line 4 should hold an intensity, a number such as 60.0."},
        {"half.snp", "A\n20\nB\n", "The last symptom has no intensity line."},
    };
    for (const auto& row : rows) {
        if (!row.bytes.empty()) {
            writeFile(dir / row.file, row.bytes);
        }
        std::string error;
        EXPECT_FALSE(readProfileFile(dir / row.file, &error)) << row.file;
        EXPECT_EQ(error, row.reason) << row.file;
    }
    std::string error;
    EXPECT_FALSE(readProfileFile(dir.path(), &error));
    EXPECT_EQ(error, "It is a folder, not a file.");
    writeFile(dir / "good.snp", "A\n20\n");
    error = "untouched";
    EXPECT_TRUE(readProfileFile(dir / "good.snp", &error));
    EXPECT_EQ(error, "untouched");
}

TEST(ProfileFile, NamesAndExtension) {
    for (const char* name : {"a\nb", "a\rb", "a\vb", "a\fb",
                             "a\xC2\x85"
                             "b",
                             "a\xE2\x80\xA8", "\xE2\x80\xA9"}) {
        EXPECT_TRUE(holdsLineBreak(name)) << name;
    }
    for (const char* name : {"", "Chest pain", "a\tb", "Caf\xC3\xA9", "\xE2\x80\xA7"}) {
        EXPECT_FALSE(holdsLineBreak(name)) << name;
    }
    const struct {
        const char* chosen;
        const char* saved;
    } rows[] = {{"/tmp/2024.05.01", "/tmp/2024.05.01.snp"},
                {"/tmp/john.doe", "/tmp/john.doe.snp"},
                {"/tmp/notes.txt", "/tmp/notes.txt.snp"},
                {"/tmp/profile", "/tmp/profile.snp"},
                {"/tmp/profile.snp", "/tmp/profile.snp"},
                {"/tmp/a.snp.bak", "/tmp/a.snp.bak.snp"},
                {"/tmp/x.SNP", "/tmp/x.SNP.snp"}};
    for (const auto& row : rows) {
        EXPECT_EQ(withProfileExtension(row.chosen), row.saved);
    }
    EXPECT_EQ(withExtension("/tmp/2024.05.01", "pdf"), "/tmp/2024.05.01.pdf");
    EXPECT_EQ(withExtension("/tmp/r.pdf", "pdf"), "/tmp/r.pdf");
}

TEST(ProfileFile, TooManySymptomsSayWhy) {
    TempDir dir;
    std::string text;
    for (std::size_t i = 0; i <= kMaxProfileSymptoms; ++i) {
        text += "a\n1\n";
    }
    writeFile(dir / "many.snp", text);
    std::string error;
    EXPECT_FALSE(readProfileFile(dir / "many.snp", &error));
    EXPECT_EQ(error, "The file holds more than 1000000 symptoms.");
}
