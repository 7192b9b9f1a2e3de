// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "cli/Cli.h"
#include "model/DatabaseTools.h"

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

// Input that once stopped the programs: each now ends in a message and an
// exit status.

namespace {

struct Run {
    int code;
    std::string err;
};

Run cli(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCli(args, out, err);
    return {code, err.str()};
}

// Binary property lists written byte by byte, so that tests can say what no
// well-behaved writer would: four-byte offsets and references throughout.
class BinaryPlistWriter {
public:
    std::uint32_t add(std::string object) {
        objects_.push_back(std::move(object));
        return static_cast<std::uint32_t>(objects_.size() - 1);
    }
    std::uint32_t ascii(const std::string& text) { return add(header(0x50, text.size()) + text); }
    std::uint32_t utf16(const std::u16string& text) {
        std::string body;
        for (const char16_t unit : text) {
            body += static_cast<char>(unit >> 8);
            body += static_cast<char>(unit & 0xFF);
        }
        return add(header(0x60, text.size()) + body);
    }
    std::uint32_t integer(std::int64_t value) { return add("\x13" + big(std::uint64_t(value), 8)); }
    std::uint32_t integer128(std::uint64_t high, std::uint64_t low) {
        return add("\x14" + big(high, 8) + big(low, 8));
    }
    std::uint32_t array(const std::vector<std::uint32_t>& items) {
        return add(header(0xA0, items.size()) + refs(items));
    }
    std::uint32_t dict(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& entries) {
        std::vector<std::uint32_t> keys;
        std::vector<std::uint32_t> values;
        for (const auto& [k, v] : entries) {
            keys.push_back(k);
            values.push_back(v);
        }
        return add(header(0xD0, entries.size()) + refs(keys) + refs(values));
    }
    // Replaces an object made earlier, for references that point forward.
    void set(std::uint32_t index, std::string object) { objects_[index] = std::move(object); }
    std::string arrayObject(const std::vector<std::uint32_t>& items) {
        return header(0xA0, items.size()) + refs(items);
    }

    std::string bytes(std::uint32_t top) const {
        std::string out = "bplist00";
        std::vector<std::uint32_t> offsets;
        for (const auto& o : objects_) {
            offsets.push_back(static_cast<std::uint32_t>(out.size()));
            out += o;
        }
        const std::uint64_t table = out.size();
        for (const auto offset : offsets) {
            out += big(offset, 4);
        }
        out += std::string(6, '\0');
        out += '\x04'; // offset size
        out += '\x04'; // reference size
        out += big(objects_.size(), 8) + big(top, 8) + big(table, 8);
        return out;
    }

    // A catalogue of one disease, "Flu", with the given extra entries.
    std::string catalogue(std::vector<std::pair<std::uint32_t, std::uint32_t>> extra,
                          std::uint32_t description = UINT32_MAX,
                          std::uint32_t frequency = UINT32_MAX) {
        if (description == UINT32_MAX) {
            description = ascii("d");
        }
        if (frequency == UINT32_MAX) {
            frequency = integer(5);
        }
        const auto symptoms = dict({{ascii("Fever"), integer(60)}});
        std::vector<std::pair<std::uint32_t, std::uint32_t>> fields{
            {ascii("Description"), description},
            {ascii("Frequency"), frequency},
            {ascii("Gravity"), integer(40)},
            {ascii("Organ"), ascii("Lungs")},
            {ascii("Symptoms"), symptoms}};
        fields.insert(fields.end(), extra.begin(), extra.end());
        const auto disease = dict(fields);
        return bytes(dict({{ascii("Flu"), disease}}));
    }

private:
    std::vector<std::string> objects_;

    static std::string big(std::uint64_t value, int size) {
        std::string out;
        for (int i = size - 1; i >= 0; --i) {
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        return out;
    }
    static std::string header(unsigned marker, std::size_t count) {
        if (count < 15) {
            return std::string(1, static_cast<char>(marker | count));
        }
        return std::string(1, static_cast<char>(marker | 0x0F)) + "\x13" + big(count, 8);
    }
    static std::string refs(const std::vector<std::uint32_t>& items) {
        std::string out;
        for (const auto item : items) {
            out += big(item, 4);
        }
        return out;
    }
};

std::string failure(std::string_view bytes) {
    try {
        DatabaseTools::parseDiseases(bytes, "hostile.plist");
    } catch (const CatalogueError& e) {
        return e.what();
    }
    return "";
}

std::string xmlCatalogue(const std::string& extra,
                         const std::string& description = "<string>d</string>") {
    return plistDocument("<key>Flu</key><dict><key>Description</key>" + description +
                         "<key>Frequency</key><integer>5</integer><key>Gravity</key><integer>40"
                         "</integer><key>Organ</key><string>Lungs</string><key>Symptoms</key>"
                         "<dict><key>Fever</key><integer>60</integer></dict>" +
                         extra + "</dict>");
}

} // namespace

TEST(HostileCatalogue, BinaryStringsMustBeText) {
    BinaryPlistWriter good;
    const auto loaded = DatabaseTools::parseDiseases(
        good.catalogue({}, good.utf16(u"Caf\u00e9 \U0001F600")), "b.plist");
    EXPECT_EQ(loaded[0]->desc, "Caf\xC3\xA9 \xF0\x9F\x98\x80");

    // A NUL in a UTF-16 string, an unpaired surrogate, and bytes beyond ASCII
    // in an ASCII string are all refused, as the same text is in XML.
    for (const std::u16string& bad : {std::u16string(u"a\0b", 3), std::u16string(1, 0xD800)}) {
        BinaryPlistWriter w;
        EXPECT_NE(failure(w.catalogue({}, w.utf16(bad))).find("not text"), std::string::npos);
    }
    BinaryPlistWriter latin;
    const auto message = failure(latin.catalogue({}, latin.ascii("Caf\xE9")));
    EXPECT_NE(message.find("hostile.plist"), std::string::npos) << message;
    EXPECT_NE(message.find("not text"), std::string::npos) << message;
    EXPECT_NE(failure(xmlCatalogue("", "<string>Caf\xE9</string>")), "");
    EXPECT_NE(failure(xmlCatalogue("", "<string>a&#0;b</string>")), "");

    // Through the terminal program: a message and the catalogue's exit status.
    TempDir dir;
    BinaryPlistWriter nul;
    writeFile(dir / "nul.plist", nul.catalogue({}, nul.utf16(std::u16string(u"a\0b", 3))));
    const auto r = cli({"diagnose", "--catalogue", (dir / "nul.plist").string(), "Fever=60"});
    EXPECT_EQ(r.code, kExitCatalogue);
    EXPECT_NE(r.err.find("not text"), std::string::npos) << r.err;
}

TEST(HostileCatalogue, IntegersReadTheSameFromBothForms) {
    const float largest = 18446744073709551615.0f;
    const auto xml =
        DatabaseTools::parseDiseases(xmlCatalogue("").replace(xmlCatalogue("").find("<integer>5<"),
                                                              11, "<integer>18446744073709551615<"),
                                     "x.plist");
    EXPECT_EQ(xml[0]->frequency, largest);
    // The binary form holds what eight signed bytes cannot in sixteen.
    BinaryPlistWriter w;
    const auto binary = DatabaseTools::parseDiseases(
        w.catalogue({}, UINT32_MAX, w.integer128(0, UINT64_MAX)), "b.plist");
    EXPECT_EQ(binary[0]->frequency, largest);
    BinaryPlistWriter negative;
    const auto minus = DatabaseTools::parseDiseases(
        negative.catalogue({}, UINT32_MAX, negative.integer(-40)), "n.plist");
    EXPECT_EQ(minus[0]->frequency, -40.0f);
    EXPECT_EQ(
        DatabaseTools::parseDiseases(
            xmlCatalogue("").replace(xmlCatalogue("").find("<integer>5<"), 11, "<integer>-40<"),
            "x.plist")[0]
            ->frequency,
        -40.0f);

    // Beyond 2^64-1 neither form has a number.
    BinaryPlistWriter huge;
    const auto tooBig = huge.integer128(1, 0);
    EXPECT_NE(failure(huge.catalogue({{huge.ascii("Extra"), tooBig}})).find("out of range"),
              std::string::npos);
    EXPECT_NE(failure(xmlCatalogue("<key>Extra</key><integer>18446744073709551616</integer>")), "");
}

TEST(HostileCatalogue, DeepNestingIsACatalogueError) {
    // An extra key nested far deeper than any catalogue needs.
    std::string deep;
    for (int i = 0; i < 50000; ++i) {
        deep += "<array>";
    }
    for (int i = 0; i < 50000; ++i) {
        deep += "</array>";
    }
    const auto xml = failure(xmlCatalogue("<key>Extra</key>" + deep));
    EXPECT_NE(xml.find("nested deeper than 64"), std::string::npos) << xml;

    BinaryPlistWriter w;
    std::uint32_t inner = w.array({});
    for (int i = 0; i < 50000; ++i) {
        inner = w.array({inner});
    }
    const auto binary = failure(w.catalogue({{w.ascii("Extra"), inner}}));
    EXPECT_NE(binary.find("nested deeper than 64"), std::string::npos) << binary;

    // Sixty levels are fine in both forms.
    std::string sixty;
    for (int i = 0; i < 60; ++i) {
        sixty = "<array>" + sixty + "</array>";
    }
    EXPECT_EQ(failure(xmlCatalogue("<key>Extra</key>" + sixty)), "");

    // An array that holds itself, and a chain of arrays each holding the next
    // twice: nothing is walked forever or twice over.
    BinaryPlistWriter loop;
    const auto self = loop.add("");
    loop.set(self, loop.arrayObject({self}));
    EXPECT_NE(failure(loop.catalogue({{loop.ascii("Extra"), self}})), "");
    BinaryPlistWriter doubling;
    std::uint32_t twice = doubling.array({});
    for (int i = 0; i < 60; ++i) {
        twice = doubling.array({twice, twice});
    }
    EXPECT_NE(failure(doubling.catalogue({{doubling.ascii("Extra"), twice}})).find("too often"),
              std::string::npos);
}

TEST(HostileCatalogue, BadOffsetsAndReferencesAreRefused) {
    BinaryPlistWriter w;
    const std::string good = w.catalogue({});
    ASSERT_EQ(failure(good), "");
    // A reference to an object that does not exist.
    BinaryPlistWriter dangling;
    const std::string bad = dangling.catalogue({{dangling.ascii("Extra"), 999}});
    EXPECT_NE(failure(bad).find("no object"), std::string::npos) << failure(bad);
    // Every trailer field, every offset and every byte changed in turn: a
    // catalogue or a message, never a crash.
    for (std::size_t at = 8; at < good.size(); ++at) {
        for (const unsigned char value : {0x00, 0x01, 0x0F, 0x7F, 0xFF}) {
            std::string damaged = good;
            damaged[at] = static_cast<char>(value);
            try {
                DatabaseTools::parseDiseases(damaged, "d.plist");
            } catch (const CatalogueError&) {
            }
        }
    }
    // Cut short anywhere.
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        EXPECT_THROW(DatabaseTools::parseDiseases(good.substr(0, cut), "c.plist"), CatalogueError);
    }
}

TEST(HostileCatalogue, AFileThatEndsWhileReadIsAnError) {
    // The catalogue arrives through a pipe and stops halfway: what was read
    // is parsed and found short. (A memory map would have died of SIGBUS on
    // a file cut short underneath.)
    TempDir dir;
    const auto pipe = dir / "Database.plist";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string whole = readFile(testData("catalogues/worked-example.plist"));
    std::thread writer([&] {
        std::ofstream out(pipe, std::ios::binary);
        out << whole.substr(0, whole.size() / 2);
    });
    std::string message;
    try {
        DatabaseTools::loadDiseases(pipe);
    } catch (const CatalogueError& e) {
        message = e.what();
    }
    writer.join();
    EXPECT_NE(message.find("not a valid XML property list"), std::string::npos) << message;
}

TEST(HostileCatalogue, UnreadableIsNotMissing) {
    TempDir dir;
    std::filesystem::create_directory(dir / "locked");
    writeFile(dir / "locked" / "Database.plist", readFile(testData("catalogues/gui.plist")));
    std::filesystem::permissions(dir / "locked", std::filesystem::perms::none);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(seteuid(65534), 0);
    }
    const auto r =
        cli({"diagnose", "--catalogue", (dir / "locked" / "Database.plist").string(), "Fever=60"});
    if (root) {
        ASSERT_EQ(seteuid(0), 0);
    }
    std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_all);
    EXPECT_EQ(r.code, kExitCatalogue);
    EXPECT_NE(r.err.find("cannot be read"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("missing"), std::string::npos) << r.err;
}

TEST(HostileInput, OutOfMemoryIsAMessageAndAnExitStatus) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#else
    TempDir dir;
    {
        std::ofstream big(dir / "big.snp", std::ios::binary);
        const std::string line(200, 'x');
        for (int i = 0; i < 300000; ++i) {
            big << line << i << "\n50.0\n";
        }
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Room for the program, not for a 60 MB file and its records.
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        std::ifstream status("/proc/self/status");
        std::string line;
        long sizeKb = 0;
        while (std::getline(status, line)) {
            if (line.rfind("VmSize:", 0) == 0) {
                sizeKb = std::stol(line.substr(7));
            }
        }
        limit.rlim_cur = static_cast<rlim_t>(sizeKb + 48 * 1024) * 1024;
        setrlimit(RLIMIT_AS, &limit);
        const auto r = cli({"profile", "read", (dir / "big.snp").string()});
        std::ofstream(dir / "err.txt") << r.err;
        std::_Exit(r.code);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child died of signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), kExitFailed);
    EXPECT_NE(readFile(dir / "err.txt").find("out of memory"), std::string::npos)
        << readFile(dir / "err.txt");
#endif
}

TEST(HostileInput, ProfileWriteRefusesWhatCannotBeReadBack) {
    TempDir dir;
    const auto target = (dir / "p.snp").string();
    for (const char* name : {"Caf\xE9=20", "\xEF\xBB\xBF"
                                           "Fever=20"}) {
        const auto r = cli({"profile", "write", target, name});
        EXPECT_EQ(r.code, kExitProfile) << name;
        EXPECT_NE(r.err.find("Could not save profile."), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(target));
    }
    ASSERT_EQ(mkfifo((dir / "pipe.snp").c_str(), 0644), 0);
    const auto pipe = cli({"profile", "write", (dir / "pipe.snp").string(), "Fever=20"});
    EXPECT_EQ(pipe.code, kExitProfile);
    EXPECT_NE(pipe.err.find("not a regular file"), std::string::npos) << pipe.err;
}
