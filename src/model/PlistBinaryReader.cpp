// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Names.h"
#include "model/PlistReaders.h"

#include <cstdint>
#include <cstring>

// Binary property lists ("bplist00") are read here, not through a library:
// the format is a table of offsets and a few object kinds, and reading it
// ourselves means every length, offset and reference is checked against the
// file before it is used. Only what the catalogue needs is walked: the root,
// the diseases, their "Symptoms" and arrays of strings; other values are
// only typed.

namespace {

class BinaryPlist {
public:
    BinaryPlist(std::string_view bytes, CatalogueBuilder& builder)
        : bytes_(bytes), builder_(builder), budget_(bytes.size()) {}

    void run() {
        if (bytes_.size() < 8 + 32 || bytes_.substr(0, 8) != "bplist00") {
            invalid("not a binary property list of a known version");
        }
        const std::size_t trailer = bytes_.size() - 32;
        offsetSize_ = byte(trailer + 6);
        refSize_ = byte(trailer + 7);
        const std::uint64_t count = uintAt(trailer + 8, 8);
        const std::uint64_t top = uintAt(trailer + 16, 8);
        tableStart_ = uintAt(trailer + 24, 8);
        if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8) {
            invalid("bad sizes in the trailer");
        }
        if (tableStart_ < 8 || tableStart_ > trailer || count == 0 ||
            count > (trailer - tableStart_) / offsetSize_ || top >= count) {
            invalid("bad offset table");
        }
        count_ = count;
        const Object root = object(top);
        if (root.kind != Kind::Dict) {
            builder_.fail("the root is " + typeName(root) + ", not a dictionary");
        }
        for (std::uint64_t i = 0; i < root.count; ++i) {
            builder_.beginDisease(key(root, i));
            readDisease(object(valueRef(root, i)));
        }
    }

private:
    enum class Kind { Dict, Array, String, Number, Boolean, Data, Date, Other };
    struct Object {
        Kind kind = Kind::Other;
        std::uint64_t count = 0; // entries of a container, bytes or units of a string
        std::size_t body = 0;    // where the content starts
        unsigned marker = 0;
    };

    std::string_view bytes_;
    CatalogueBuilder& builder_;
    std::size_t budget_; // entries a file may make us visit: at most one per byte
    unsigned offsetSize_ = 0;
    unsigned refSize_ = 0;
    std::uint64_t count_ = 0;
    std::uint64_t tableStart_ = 0;

    [[noreturn]] void invalid(const std::string& what) const {
        builder_.fail("not a valid binary property list (" + what + ")");
    }

    unsigned byte(std::uint64_t at) const {
        if (at >= bytes_.size()) {
            invalid("a value runs past the end");
        }
        return static_cast<unsigned char>(bytes_[at]);
    }

    std::uint64_t uintAt(std::uint64_t at, unsigned size) const {
        if (at > bytes_.size() || size > bytes_.size() - at) {
            invalid("a value runs past the end");
        }
        std::uint64_t value = 0;
        for (unsigned i = 0; i < size; ++i) {
            value = (value << 8) | static_cast<unsigned char>(bytes_[at + i]);
        }
        return value;
    }

    // Checks that `size` bytes from `at` lie among the objects.
    void within(std::uint64_t at, std::uint64_t size) const {
        if (at > tableStart_ || size > tableStart_ - at) {
            invalid("a value runs past its bounds");
        }
    }

    void spend(std::uint64_t entries) {
        if (entries > budget_) {
            invalid("the same values are referred to too often");
        }
        budget_ -= static_cast<std::size_t>(entries);
    }

    Object object(std::uint64_t ref) {
        if (ref >= count_) {
            invalid("a reference to no object");
        }
        const std::uint64_t at = uintAt(tableStart_ + ref * offsetSize_, offsetSize_);
        if (at < 8 || at >= tableStart_) {
            invalid("an object outside the file");
        }
        Object o;
        o.marker = byte(at);
        const unsigned high = o.marker >> 4;
        const unsigned low = o.marker & 0x0F;
        o.body = static_cast<std::size_t>(at + 1);
        // The lengths of containers, strings and data: in the marker, or in
        // an integer that follows it.
        const auto length = [&]() -> std::uint64_t {
            if (low != 0x0F) {
                return low;
            }
            const unsigned intMarker = byte(o.body);
            if ((intMarker >> 4) != 0x1 || (intMarker & 0x0F) > 3) {
                invalid("a bad length");
            }
            const unsigned size = 1u << (intMarker & 0x0F);
            const std::uint64_t value = uintAt(o.body + 1, size);
            o.body += 1 + size;
            return value;
        };
        switch (high) {
        case 0x0:
            o.kind = (low == 0x8 || low == 0x9) ? Kind::Boolean : Kind::Other;
            break;
        case 0x1:
            o.kind = Kind::Number;
            if (low > 4) {
                invalid("an integer of unknown size");
            }
            within(o.body, 1u << low);
            break;
        case 0x2:
            o.kind = Kind::Number;
            if (low != 2 && low != 3) {
                invalid("a real of unknown size");
            }
            within(o.body, 1u << low);
            break;
        case 0x3:
            o.kind = Kind::Date;
            break;
        case 0x4:
            o.kind = Kind::Data;
            o.count = length();
            within(o.body, o.count);
            break;
        case 0x5:
            o.kind = Kind::String;
            o.count = length();
            within(o.body, o.count);
            break;
        case 0x6:
            o.kind = Kind::String;
            o.count = length();
            if (o.count > (tableStart_ - o.body) / 2) {
                invalid("a value runs past its bounds");
            }
            break;
        case 0xA:
            o.kind = Kind::Array;
            o.count = length();
            if (o.count > (tableStart_ - o.body) / refSize_) {
                invalid("a value runs past its bounds");
            }
            break;
        case 0xD:
            o.kind = Kind::Dict;
            o.count = length();
            if (o.count > (tableStart_ - o.body) / refSize_ / 2) {
                invalid("a value runs past its bounds");
            }
            break;
        default:
            o.kind = Kind::Other;
        }
        if (o.kind == Kind::Array || o.kind == Kind::Dict) {
            spend(o.count);
        }
        return o;
    }

    std::uint64_t ref(const Object& container, std::uint64_t index) const {
        return uintAt(container.body + index * refSize_, refSize_);
    }
    std::uint64_t keyRef(const Object& dict, std::uint64_t i) const { return ref(dict, i); }
    std::uint64_t valueRef(const Object& dict, std::uint64_t i) const {
        return ref(dict, dict.count + i);
    }

    static std::string typeName(const Object& o) {
        switch (o.kind) {
        case Kind::Dict:
            return "a dictionary";
        case Kind::Array:
            return "an array";
        case Kind::String:
            return "a string";
        case Kind::Boolean:
            return "a boolean";
        case Kind::Number:
            return "a number";
        case Kind::Data:
            return "a data";
        case Kind::Date:
            return "a date";
        default:
            return "a value of another kind";
        }
    }

    // Text as the XML form would give it: ASCII or UTF-16 made UTF-8, with no
    // NUL and no unpaired surrogate.
    std::string text(const Object& o) const {
        std::string out;
        if ((o.marker >> 4) == 0x5) {
            out.assign(bytes_.substr(o.body, o.count));
            for (const char c : out) {
                if (c == '\0' || static_cast<unsigned char>(c) >= 0x80) {
                    invalid("a string that is not text");
                }
            }
            return out;
        }
        out.reserve(o.count);
        for (std::uint64_t i = 0; i < o.count; ++i) {
            char32_t cp = static_cast<char32_t>(uintAt(o.body + 2 * i, 2));
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < o.count) {
                const auto low = static_cast<char32_t>(uintAt(o.body + 2 * (i + 1), 2));
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
            if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) {
                invalid("a string that is not text");
            }
            appendUtf8(out, cp);
        }
        return out;
    }

    std::string key(const Object& dict, std::uint64_t i) {
        const Object k = object(keyRef(dict, i));
        if (k.kind != Kind::String) {
            invalid("a dictionary key that is not a string");
        }
        return text(k);
    }

    bool number(const Object& o, float* out) const {
        if (o.kind != Kind::Number) {
            return false;
        }
        const unsigned low = o.marker & 0x0F;
        if ((o.marker >> 4) == 0x2) {
            if (low == 2) {
                const auto raw = static_cast<std::uint32_t>(uintAt(o.body, 4));
                float value;
                std::memcpy(&value, &raw, 4);
                *out = value;
            } else {
                const std::uint64_t raw = uintAt(o.body, 8);
                double value;
                std::memcpy(&value, &raw, 8);
                *out = static_cast<float>(value);
            }
            return true;
        }
        // One, two and four bytes are unsigned, eight signed; sixteen hold
        // what eight cannot, up to 2^64-1. The same range as in XML.
        if (low < 3) {
            *out = static_cast<float>(uintAt(o.body, 1u << low));
            return true;
        }
        if (low == 3) {
            *out = static_cast<float>(static_cast<std::int64_t>(uintAt(o.body, 8)));
            return true;
        }
        const std::uint64_t high = uintAt(o.body, 8);
        const std::uint64_t value = uintAt(o.body + 8, 8);
        if (high == 0) {
            *out = static_cast<float>(value);
        } else if (high == ~std::uint64_t{0} && (value >> 63) != 0) {
            *out = static_cast<float>(static_cast<std::int64_t>(value));
        } else {
            invalid("an integer out of range");
        }
        return true;
    }

    void readDisease(const Object& disease) {
        if (disease.kind != Kind::Dict) {
            builder_.diseaseNotDictionary(typeName(disease));
        }
        for (std::uint64_t i = 0; i < disease.count; ++i) {
            const std::string k = key(disease, i);
            const Object node = object(valueRef(disease, i));
            PlistValue value;
            value.typeName = typeName(node);
            if (node.kind == Kind::String) {
                value.type = PlistValue::Type::String;
                value.text = text(node);
            } else if (number(node, &value.number)) {
                value.type = PlistValue::Type::Number;
            } else if (k == "Symptoms" && node.kind == Kind::Dict) {
                value.type = PlistValue::Type::SymptomDict;
                value.symptoms = readSymptoms(node);
            } else if (node.kind == Kind::Array && k != "Symptoms") {
                value.type = PlistValue::Type::StringArray;
                for (std::uint64_t j = 0; j < node.count; ++j) {
                    const Object item = object(ref(node, j));
                    if (item.kind != Kind::String) {
                        value.type = PlistValue::Type::Other;
                        value.items.clear();
                        checkDepth(node, 3);
                        break;
                    }
                    value.items.push_back(text(item));
                }
            } else {
                checkDepth(node, 3);
            }
            builder_.field(k, std::move(value));
        }
        builder_.endDisease();
    }

    // A value no one reads is still held to the depth the XML form allows,
    // so both forms accept the same catalogues. The budget keeps shared
    // parts from being walked more often than the file has bytes.
    void checkDepth(const Object& o, std::size_t depth) {
        if (o.kind != Kind::Array && o.kind != Kind::Dict) {
            return;
        }
        if (depth > kMaxPlistDepth) {
            builder_.fail("values nested deeper than " + std::to_string(kMaxPlistDepth) +
                          " levels");
        }
        const std::uint64_t refs = o.kind == Kind::Dict ? 2 * o.count : o.count;
        for (std::uint64_t i = 0; i < refs; ++i) {
            checkDepth(object(ref(o, i)), depth + 1);
        }
    }

    SymptomList readSymptoms(const Object& dict) {
        builder_.beginSymptoms();
        for (std::uint64_t i = 0; i < dict.count; ++i) {
            const std::string name = key(dict, i);
            float intensity = 0.0f;
            const Object node = object(valueRef(dict, i));
            if (!number(node, &intensity)) {
                builder_.symptomNotNumber(name, typeName(node));
            }
            builder_.addSymptom(name, intensity);
        }
        return builder_.endSymptoms();
    }
};

} // namespace

void readBinaryCatalogue(std::string_view bytes, CatalogueBuilder& builder) {
    BinaryPlist(bytes, builder).run();
}
