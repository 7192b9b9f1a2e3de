// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Names.h"
#include "model/NumberText.h"
#include "model/PlistReaders.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <unordered_set>

// A streaming reader for XML property lists. It keeps no document tree: the
// catalogue is built while the text is walked, and numbers are read from their
// own text (a real becomes the float nearest its decimal value, whatever the
// process locale).

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

struct Tag {
    std::string_view name;
    bool closing = false;
    bool empty = false; // <name/>
};

class XmlReader {
public:
    XmlReader(std::string_view text, CatalogueBuilder& builder) : text_(text), builder_(builder) {}

    void run();

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    CatalogueBuilder& builder_;

    [[noreturn]] void syntax(const std::string& what) const;
    bool startsWith(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }
    void skipTo(std::string_view terminator, const char* what);
    void skipMisc();
    Tag readTag();
    Tag expectOpen();
    void expectClose(std::string_view name);
    std::string readText(std::string_view element);
    std::string readElementText(const Tag& tag) {
        return tag.empty ? std::string() : readText(tag.name);
    }
    void skipValue(const Tag& tag);
    PlistValue readValue(const Tag& tag, bool symptomDict);
    void readArray(const Tag& tag, PlistValue& value);
    SymptomList readSymptoms(const Tag& tag);
    void readDisease(const Tag& tag);
    static std::string typeName(std::string_view element);
    float readNumber(const Tag& tag, bool* ok);
};

void XmlReader::syntax(const std::string& what) const {
    std::size_t line = 1;
    for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) {
        line += text_[i] == '\n';
    }
    builder_.fail("not a valid XML property list (line " + std::to_string(line) + ": " + what +
                  ")");
}

void XmlReader::skipTo(std::string_view terminator, const char* what) {
    const auto end = text_.find(terminator, pos_);
    if (end == std::string_view::npos) {
        syntax(std::string("unterminated ") + what);
    }
    pos_ = end + terminator.size();
}

// White space, comments, processing instructions and the document type.
void XmlReader::skipMisc() {
    for (;;) {
        while (pos_ < text_.size() && isSpace(text_[pos_])) {
            ++pos_;
        }
        if (startsWith("<!--")) {
            skipTo("-->", "comment");
        } else if (startsWith("<?")) {
            skipTo("?>", "processing instruction");
        } else if (startsWith("<!DOCTYPE")) {
            int depth = 0;
            for (; pos_ < text_.size(); ++pos_) {
                const char c = text_[pos_];
                if (c == '[') {
                    ++depth;
                } else if (c == ']') {
                    --depth;
                } else if (c == '>' && depth <= 0) {
                    break;
                }
            }
            if (pos_ >= text_.size()) {
                syntax("unterminated document type");
            }
            ++pos_;
        } else {
            return;
        }
    }
}

Tag XmlReader::readTag() {
    skipMisc();
    if (pos_ >= text_.size()) {
        syntax("unexpected end of file");
    }
    if (text_[pos_] != '<') {
        syntax("text where an element was expected");
    }
    const auto end = text_.find('>', pos_);
    if (end == std::string_view::npos) {
        syntax("unterminated tag");
    }
    std::string_view inside = text_.substr(pos_ + 1, end - pos_ - 1);
    pos_ = end + 1;
    Tag tag;
    if (!inside.empty() && inside.front() == '/') {
        tag.closing = true;
        inside.remove_prefix(1);
    } else if (!inside.empty() && inside.back() == '/') {
        tag.empty = true;
        inside.remove_suffix(1);
    }
    std::size_t n = 0;
    while (n < inside.size() && !isSpace(inside[n])) {
        ++n;
    }
    tag.name = inside.substr(0, n);
    if (tag.name.empty()) {
        syntax("tag without a name");
    }
    return tag;
}

Tag XmlReader::expectOpen() {
    const Tag tag = readTag();
    if (tag.closing) {
        syntax("unexpected </" + std::string(tag.name) + ">");
    }
    return tag;
}

void XmlReader::expectClose(std::string_view name) {
    const Tag tag = readTag();
    if (!tag.closing || tag.name != name) {
        syntax("expected </" + std::string(name) + ">");
    }
}

// Character data up to the closing tag of `element`, with entities, character
// references and CDATA sections resolved.
std::string XmlReader::readText(std::string_view element) {
    std::string out;
    // Text copied as it stands; only that can break UTF-8, since character
    // references are encoded here. Plain ASCII needs no second look.
    bool rawNonAscii = false;
    const auto copyRaw = [&](std::size_t from, std::size_t count) {
        const std::string_view raw = text_.substr(from, count);
        unsigned char any = 0;
        for (const char c : raw) {
            any |= static_cast<unsigned char>(c);
        }
        rawNonAscii = rawNonAscii || any >= 0x80;
        out.append(raw);
    };
    for (;;) {
        // Two memchr calls beat find_first_of, which tests every character
        // against the set one at a time.
        const char* here = text_.data() + pos_;
        const std::size_t left = text_.size() - pos_;
        const auto* lt = static_cast<const char*>(std::memchr(here, '<', left));
        const std::size_t span = lt ? static_cast<std::size_t>(lt - here) : left;
        const auto* amp = static_cast<const char*>(std::memchr(here, '&', span));
        if (!lt && !amp) {
            syntax("unterminated <" + std::string(element) + ">");
        }
        const std::size_t next = pos_ + static_cast<std::size_t>((amp ? amp : lt) - here);
        copyRaw(pos_, next - pos_);
        pos_ = next;
        if (text_[pos_] == '&') {
            const auto semi = text_.find(';', pos_);
            if (semi == std::string_view::npos || semi - pos_ > 12) {
                syntax("bad entity reference");
            }
            const std::string_view entity = text_.substr(pos_ + 1, semi - pos_ - 1);
            pos_ = semi + 1;
            if (entity == "lt") {
                out += '<';
            } else if (entity == "gt") {
                out += '>';
            } else if (entity == "amp") {
                out += '&';
            } else if (entity == "quot") {
                out += '"';
            } else if (entity == "apos") {
                out += '\'';
            } else if (entity.size() > 1 && entity[0] == '#') {
                const bool hex = entity[1] == 'x';
                const std::string_view digits = entity.substr(hex ? 2 : 1);
                std::uint32_t cp = 0;
                const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), cp,
                                               hex ? 16 : 10);
                if (digits.empty() || r.ec != std::errc() ||
                    r.ptr != digits.data() + digits.size() || cp == 0 || cp > 0x10FFFF ||
                    (cp >= 0xD800 && cp <= 0xDFFF)) {
                    syntax("bad character reference &" + std::string(entity) + ";");
                }
                appendUtf8(out, cp);
            } else {
                syntax("unknown entity &" + std::string(entity) + ";");
            }
        } else if (startsWith("<![CDATA[")) {
            const auto end = text_.find("]]>", pos_ + 9);
            if (end == std::string_view::npos) {
                syntax("unterminated CDATA section");
            }
            copyRaw(pos_ + 9, end - pos_ - 9);
            pos_ = end + 3;
        } else if (startsWith("<!--")) {
            skipTo("-->", "comment");
        } else {
            expectClose(element);
            if (rawNonAscii && !isValidUtf8(out)) {
                syntax("text that is not UTF-8");
            }
            return out;
        }
    }
}

std::string XmlReader::typeName(std::string_view element) {
    if (element == "dict") {
        return "a dictionary";
    }
    if (element == "array") {
        return "an array";
    }
    if (element == "integer" || element == "real") {
        return "a number";
    }
    if (element == "true" || element == "false") {
        return "a boolean";
    }
    return "a " + std::string(element);
}

void XmlReader::skipValue(const Tag& tag) {
    if (tag.empty) {
        return;
    }
    if (tag.name == "dict" || tag.name == "array") {
        for (;;) {
            const Tag inner = readTag();
            if (inner.closing) {
                if (inner.name != tag.name) {
                    syntax("expected </" + std::string(tag.name) + ">");
                }
                return;
            }
            skipValue(inner);
        }
    }
    if (tag.name == "true" || tag.name == "false") {
        expectClose(tag.name);
        return;
    }
    (void)readText(tag.name);
}

float XmlReader::readNumber(const Tag& tag, bool* ok) {
    std::string text = readElementText(tag);
    std::string_view t = text;
    while (!t.empty() && isSpace(t.front())) {
        t.remove_prefix(1);
    }
    while (!t.empty() && isSpace(t.back())) {
        t.remove_suffix(1);
    }
    *ok = true;
    if (tag.name == "real") {
        if (const auto v = parseCFloat(t); v && !t.empty() && !isSpace(t.front())) {
            return *v;
        }
    } else {
        std::string_view digits = t;
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
            digits.remove_prefix(1);
        }
        std::uint64_t magnitude = 0;
        const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
        if (!digits.empty() && r.ec == std::errc() && r.ptr == digits.data() + digits.size() &&
            (!negative || magnitude <= (std::uint64_t{1} << 63))) {
            const float value = static_cast<float>(magnitude);
            return negative ? -value : value;
        }
    }
    *ok = false;
    return 0.0f;
}

PlistValue XmlReader::readValue(const Tag& tag, bool symptomDict) {
    PlistValue value;
    value.typeName = typeName(tag.name);
    if (tag.name == "string") {
        value.type = PlistValue::Type::String;
        value.text = readElementText(tag);
    } else if (tag.name == "integer" || tag.name == "real") {
        bool ok = false;
        value.number = readNumber(tag, &ok);
        if (!ok) {
            builder_.failInDisease("<" + std::string(tag.name) + "> does not hold a number");
        }
        value.type = PlistValue::Type::Number;
    } else if (tag.name == "dict" && symptomDict) {
        value.type = PlistValue::Type::SymptomDict;
        value.symptoms = readSymptoms(tag);
    } else if (tag.name == "array") {
        readArray(tag, value);
    } else if (tag.name == "dict" || tag.name == "true" || tag.name == "false" ||
               tag.name == "data" || tag.name == "date") {
        skipValue(tag);
    } else {
        syntax("unknown element <" + std::string(tag.name) + ">");
    }
    return value;
}

// An array of strings is kept; any other array is skipped.
void XmlReader::readArray(const Tag& tag, PlistValue& value) {
    value.type = PlistValue::Type::StringArray;
    if (tag.empty) {
        return;
    }
    for (;;) {
        const Tag inner = readTag();
        if (inner.closing) {
            if (inner.name != "array") {
                syntax("expected </array>");
            }
            return;
        }
        if (inner.name == "string" && value.type == PlistValue::Type::StringArray) {
            value.items.push_back(readElementText(inner));
        } else {
            value.type = PlistValue::Type::Other;
            value.items.clear();
            if (inner.name == "string") {
                readElementText(inner);
            } else {
                skipValue(inner);
            }
        }
    }
}

// Whether `name` is already among the disease's symptoms. A disease has a
// handful, so a scan beats hashing; a long list gets an index.
bool listedBefore(const std::vector<Symptom>& symptoms,
                  const std::unordered_set<std::string>& index, const std::string& name) {
    if (!index.empty()) {
        return index.count(name) != 0;
    }
    for (const auto& s : symptoms) {
        if (s.name == name) {
            return true;
        }
    }
    return false;
}

SymptomList XmlReader::readSymptoms(const Tag& tag) {
    constexpr std::size_t kScanLimit = 16;
    if (tag.empty) {
        return {};
    }
    std::vector<Symptom> symptoms;
    symptoms.reserve(8);
    std::unordered_set<std::string> index;
    for (;;) {
        const Tag keyTag = readTag();
        if (keyTag.closing && keyTag.name == "dict") {
            return shareEach(std::move(symptoms));
        }
        if (keyTag.closing || keyTag.name != "key") {
            syntax("expected <key> in \"Symptoms\"");
        }
        std::string name = readElementText(keyTag);
        if (listedBefore(symptoms, index, name)) {
            builder_.symptomListedTwice(name);
        }
        const Tag valueTag = expectOpen();
        if (valueTag.name != "integer" && valueTag.name != "real") {
            builder_.symptomNotNumber(name, typeName(valueTag.name));
        }
        bool ok = false;
        const float intensity = readNumber(valueTag, &ok);
        if (!ok) {
            builder_.symptomNotNumber(name, "text that is no number");
        }
        symptoms.emplace_back(std::move(name), intensity);
        if (!index.empty()) {
            index.insert(symptoms.back().name);
        } else if (symptoms.size() == kScanLimit) {
            for (const auto& s : symptoms) {
                index.insert(s.name);
            }
        }
    }
}

void XmlReader::readDisease(const Tag& tag) {
    if (tag.name != "dict") {
        builder_.diseaseNotDictionary(typeName(tag.name));
    }
    if (!tag.empty) {
        for (;;) {
            const Tag keyTag = readTag();
            if (keyTag.closing && keyTag.name == "dict") {
                break;
            }
            if (keyTag.closing || keyTag.name != "key") {
                syntax("expected <key> in a disease");
            }
            std::string key = readElementText(keyTag);
            const Tag valueTag = expectOpen();
            const bool symptoms = key == "Symptoms";
            builder_.field(key, readValue(valueTag, symptoms));
        }
    }
    builder_.endDisease();
}

void XmlReader::run() {
    Tag tag = expectOpen();
    const bool wrapped = tag.name == "plist";
    if (wrapped) {
        if (tag.empty) {
            builder_.fail("the property list is empty");
        }
        tag = expectOpen();
    }
    if (tag.name != "dict") {
        builder_.fail("the root is " + typeName(tag.name) + ", not a dictionary");
    }
    if (!tag.empty) {
        for (;;) {
            const Tag keyTag = readTag();
            if (keyTag.closing && keyTag.name == "dict") {
                break;
            }
            if (keyTag.closing || keyTag.name != "key") {
                syntax("expected <key> in the root dictionary");
            }
            builder_.beginDisease(readElementText(keyTag));
            readDisease(expectOpen());
            builder_.inputConsumed(pos_);
        }
    }
    if (wrapped) {
        expectClose("plist");
    }
    skipMisc();
    if (pos_ != text_.size()) {
        syntax("content after the end of the property list");
    }
}

} // namespace

void readXmlCatalogue(std::string_view xml, CatalogueBuilder& builder) {
    XmlReader(xml, builder).run();
}
